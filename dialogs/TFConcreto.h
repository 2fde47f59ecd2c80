// FConcreto: the characteristic strength fck (MPa) of the concrete class
// "Outro". It opens showing the fck of the present Fcd, and "OK" stores
// Fcd = fck / (10·GammaC). Invalid input is marked on the main window's status
// bar; while the field sends the focus back, neither button closes the dialog.
#pragma once

#include "uikit/EditorContext.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace flexara {

class TFConcreto : public QDialog {
    Q_OBJECT
public:
    TFConcreto(EditorContext& context, QWidget* parent);

    QLabel* Label1 = nullptr; // "Fck (MPa):"
    QLineEdit* EdOutroConc = nullptr;
    QPushButton* Button2 = nullptr; // "OK", on the left
    QPushButton* Button1 = nullptr; // "Cancelar", on the right

    void FormShow();
    // The check on leaving the field; false when it marked the field and sent
    // the focus back.
    bool EdOutroConcExit();
    void Button2Click();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
    // No title-bar buttons and no cancel key: only "OK" and "Cancelar" close it.
    void reject() override {}

private:
    // True when the field holds the focus after a refused check, so that the
    // press of a button does nothing.
    bool HeldByField();

    EditorContext& context;
    bool focusSentBack = false;
};

} // namespace flexara
