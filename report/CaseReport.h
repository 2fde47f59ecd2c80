// The calculation record of one case, in Portuguese, on A4 pages of any paged
// device (a PDF writer, a printer): the program and the file, the section to
// scale with its bars, the reinforcement table, areas and ratio, materials,
// settings and actions, the reference axial forces, the interaction chart, the
// verdict with η and MRd, the load combinations, the column, the detailing
// with its stirrup and ties drawn, and the method. It draws what
// the engine computed (a CaseStudy); it computes nothing itself.
#pragma once

#include "engine/case/Materials.h"
#include "engine/study/CaseCurve.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <stdexcept>

class QPagedPaintDevice;

namespace flexara {

struct ReportCase {
    const CaseStudy* study = nullptr;
    MaterialSelection selection;
    QString fileName; // as shown; empty for a case never saved
    QDateTime printedAt;
};

// Draws the report on the device, page by page; returns the number of pages.
int PaintReport(QPagedPaintDevice& device, const ReportCase& report);

// The report as a PDF document (A4, fonts embedded).
QByteArray ReportPdf(const ReportCase& report);

// The time a report states: SOURCE_DATE_EPOCH (seconds since 1970, UTC) when
// it is set, as for reproducible documents, else now. A value that is not a
// plain whole number from 0 to MaxSourceDateEpoch (the last second of the
// year 9999) throws ReportTimeError: a record with a made-up date is worse
// than none.
QDateTime ReportTime();

inline constexpr long long MaxSourceDateEpoch = 253402300799LL;

class ReportTimeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace flexara
