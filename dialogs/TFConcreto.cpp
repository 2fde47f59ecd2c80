#include "dialogs/TFConcreto.h"

#include "dialogs/WindowLook.h"
#include "engine/Faults.h"
#include "engine/case/Materials.h"
#include "texts/Words.h"
#include "uikit/FieldEvents.h"
#include "uikit/FieldText.h"
#include "uikit/FlexaraApplication.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace flexara {

TFConcreto::TFConcreto(EditorContext& context, QWidget* parent) : QDialog(parent), context(context)
{
    setObjectName(QStringLiteral("FConcreto"));
    setWindowTitle(QStringLiteral("Concreto"));
    FixDialogBorder(this, false);
    PaintSilver(this);
    setFixedSize(194, 97);

    Label1 = new QLabel(QStringLiteral("Fck (MPa):"), this);
    Label1->setGeometry(30, 22, 60, 16);
    // Created in keyboard order: the field, "Cancelar", "OK".
    EdOutroConc = new QLineEdit(QStringLiteral("0"), this);
    EdOutroConc->setGeometry(96, 19, 65, 21);
    CaptionControl(Label1, EdOutroConc, QStringLiteral("Resistência característica do concreto"));
    Button1 = new QPushButton(QStringLiteral("Cancelar"), this);
    Button1->setGeometry(103, 60, 75, 25);
    Button2 = new QPushButton(QStringLiteral("OK"), this);
    Button2->setGeometry(16, 60, 75, 25);
    for (QPushButton* button : {Button1, Button2})
        button->setAutoDefault(false);

    OnExit(EdOutroConc, [this] { EdOutroConcExit(); });
    connect(EdOutroConc, &QLineEdit::textEdited, this, [this] { focusSentBack = false; });
    connect(Button2, &QPushButton::clicked, this, &TFConcreto::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &TFConcreto::Button1Click);
}

void TFConcreto::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TFConcreto::FormShow()
{
    focusSentBack = false;
    EdOutroConc->setText(FormatField(CurrentConcreteFck(context.State())));
    EdOutroConc->setFocus(Qt::TabFocusReason);
    EdOutroConc->selectAll();
}

bool TFConcreto::EdOutroConcExit()
{
    context.ClearInputMark();
    double fck = 0.0;
    // 0 MPa is accepted; a negative strength is not.
    if (!ParseField(EdOutroConc->text(), fck) || fck < 0.0) {
        focusSentBack = true;
        context.MarkInputInvalid(EdOutroConc);
        return false;
    }
    focusSentBack = false;
    return true;
}

bool TFConcreto::HeldByField()
{
    if (focusWidget() != EdOutroConc)
        return false;
    if (focusSentBack)
        return true;
    // Pressed without leaving the field (from the program): check it now.
    return !EdOutroConcExit();
}

void TFConcreto::Button2Click()
{
    if (HeldByField())
        return;
    double fck = 0.0;
    if (!ParseField(EdOutroConc->text(), fck) || fck < 0.0)
        return;
    AnalysisState& state = context.State();
    // A concrete factor of 0 would store an infinite strength: the division by
    // zero is reported, Fcd kept and the dialog left open.
    ClearFpFaults();
    const double fcd = CustomConcreteFcd(fck, state.GammaC);
    if (FaultKind fault{}; RaisedFpFault(fault)) {
        FlexaraApplication::ShowError(FaultText(Fault{fault}).c_str());
        return;
    }
    state.Fcd = fcd;
    done(QDialog::Accepted);
}

void TFConcreto::Button1Click()
{
    if (HeldByField())
        return;
    done(QDialog::Rejected);
}

} // namespace flexara
