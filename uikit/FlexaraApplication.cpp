#include "uikit/FlexaraApplication.h"

#include "engine/Faults.h"
#include "texts/Words.h"
#include "uikit/CaptionedComboBox.h"

#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>

#include <exception>

namespace flexara {

namespace {

QString lastErrorMessage;

// The classic look the fixed layout was drawn for (captions on the frames of the
// group boxes, narrow drop-down buttons), with the drop-down button of a list
// 2 px narrower and its text 1 px further left, so that "CA-50 A" fits the
// 63 px list.
class ClassicStyle : public QProxyStyle {
public:
    explicit ClassicStyle(QStyle* base) : QProxyStyle(base) {}

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override
    {
        QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
        if (control == CC_ComboBox && part == SC_ComboBoxEditField)
            rect.adjust(-1, 0, 2, 0);
        else if (control == CC_ComboBox && part == SC_ComboBoxArrow)
            rect.adjust(2, 0, 0, 0);
        return rect;
    }
};

} // namespace

FlexaraApplication::FlexaraApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QString::fromUtf8(ApplicationTitle));
    if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows")))
        setStyle(new ClassicStyle(classic));
    InstallProgramFonts();
    InstallCaptionedComboBoxReading();
    InstallQtTranslations(*this);
}

bool FlexaraApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        ShowFailure(failure);
    }
    return false;
}

void FlexaraApplication::ShowError(const char* message)
{
    lastErrorMessage = QString::fromStdString(WithFullStop(message));
    QMessageBox::critical(activeWindow(), QString::fromUtf8(ApplicationTitle), lastErrorMessage);
}

void FlexaraApplication::ShowFailure(const std::exception& failure)
{
    ShowError(FailureText(failure).c_str());
}

QString FlexaraApplication::LastErrorMessage()
{
    return lastErrorMessage;
}

void FlexaraApplication::ForgetLastError()
{
    lastErrorMessage.clear();
}

void InstallQtTranslations(QCoreApplication& application)
{
    // Qt's own dialogs (open, save, message-box buttons) in Brazilian Portuguese
    // like the rest of the program, whatever the system's language.
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    auto* translator = new QTranslator(&application);
    if (translator->load(brazil, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

void InstallProgramFonts()
{
#ifdef _WIN32
    // The layout was drawn for "MS Sans Serif" at 8 points. On Windows that is
    // a bitmap font, and Qt takes its sizes by the height of the cell: asked
    // for 8 points it draws the 10-point bitmap, a quarter wider, and the
    // fixed layout overflows. "Microsoft Sans Serif" is its TrueType face, on
    // every Windows since 2000.
    const QString family = QStringLiteral("Microsoft Sans Serif");
#else
    // The layout was drawn for Windows' fonts; elsewhere Liberation has their
    // metrics.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Lucida Console"), QStringLiteral("Liberation Mono"));
    const QString family = QStringLiteral("MS Sans Serif");
#endif
    QApplication::setFont(QFont(family, 8));
}

} // namespace flexara
