#include "dialogs/Tconfirma.h"

#include "dialogs/WindowLook.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace flexara {

Tconfirma::Tconfirma(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("confirma"));
    setWindowTitle(QStringLiteral("Confirmação"));
    FixDialogBorder(this, false);
    PaintSilver(this);
    setFixedSize(268, 84);

    Label1 = new QLabel(QStringLiteral("Você tem certeza que deseja sair do aplicativo?"), this);
    Label1->setGeometry(10, 14, 248, 16);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);

    // Neither is a default or a cancel button: Enter does not answer for the user.
    sim = new QPushButton(QStringLiteral("Sim"), this);
    sim->setGeometry(50, 46, 75, 25);
    sim->setAutoDefault(false);
    nao = new QPushButton(QStringLiteral("Não"), this);
    nao->setGeometry(143, 46, 75, 25);
    nao->setAutoDefault(false);
    setTabOrder(sim, nao);
    connect(sim, &QPushButton::clicked, this, &Tconfirma::simClick);
    connect(nao, &QPushButton::clicked, this, &Tconfirma::naoClick);
}

bool Tconfirma::Ask()
{
    answerYes = true;
    exec();
    return answerYes;
}

void Tconfirma::simClick()
{
    accept();
}

void Tconfirma::naoClick()
{
    answerYes = false;
    done(QDialog::Rejected);
}

void Tconfirma::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Tconfirma::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

void Tconfirma::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    sim->setFocus(Qt::TabFocusReason);
}

SaveChangesAnswer AskToSaveChanges(QWidget* parent)
{
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("SalvarAlteracoes"));
    box.setWindowTitle(QStringLiteral("Confirmação"));
    box.setIcon(QMessageBox::Question);
    box.setText(QStringLiteral("O caso foi alterado. Deseja salvar as alterações?"));
    QPushButton* save = box.addButton(QStringLiteral("Salvar"), QMessageBox::AcceptRole);
    save->setObjectName(QStringLiteral("BtnSalvar"));
    QPushButton* discard = box.addButton(QStringLiteral("Não salvar"), QMessageBox::DestructiveRole);
    discard->setObjectName(QStringLiteral("BtnNaoSalvar"));
    QPushButton* cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    cancel->setObjectName(QStringLiteral("BtnCancelar"));
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveChangesAnswer::Save;
    if (box.clickedButton() == discard)
        return SaveChangesAnswer::DontSave;
    return SaveChangesAnswer::Cancel;
}

} // namespace flexara
