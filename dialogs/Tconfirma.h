// confirma: asks whether the program is to end. The answer is yes unless "Não"
// was pressed during this showing.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace flexara {

class Tconfirma : public QDialog {
    Q_OBJECT
public:
    explicit Tconfirma(QWidget* parent);

    // Resets the answer to yes, shows the dialog modally and returns the answer.
    bool Ask();
    bool AnswerYes() const { return answerYes; }

    QLabel* Label1 = nullptr;
    QPushButton* sim = nullptr; // "Sim"
    QPushButton* nao = nullptr; // "Não"

    void simClick();
    void naoClick();

protected:
    void showEvent(QShowEvent* event) override;
    // Neither button is a cancel button: Esc and a close request of the window
    // system answer nothing, so that no stray key ends the program.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override {}

private:
    bool answerYes = true;
};

// Asked before a case with unsaved changes is left (Novo, Abrir, closing the
// window): "Salvar", "Não salvar" or "Cancelar"; Esc and the close box cancel.
enum class SaveChangesAnswer { Save, DontSave, Cancel };
SaveChangesAnswer AskToSaveChanges(QWidget* parent);

} // namespace flexara
