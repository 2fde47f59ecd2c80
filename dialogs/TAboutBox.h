// AboutBox: the program's name, version, web address and credits. The link
// label turns red under the mouse and blue again when the mouse moves on to the
// box, its panel or the rectangle behind the top block; a click opens the page
// in the system's browser, and nothing is reported when that fails.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace flexara {

// The project's web page, shown and opened by the link label.
inline constexpr const char* ProjectWebAddress = "https://flexara.example.org";

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent);

    QFrame* Panel1 = nullptr;
    QWidget* Shape1 = nullptr; // the invisible rectangle behind the top block
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr; // "FLEXARA"
    QLabel* Label8 = nullptr;      // "Versão 1.0"
    QLabel* Label9 = nullptr;      // the link
    QLabel* Label1 = nullptr;      // "05/2001"
    QPushButton* OKButton = nullptr;

    void Label9MouseMove();
    void Label9Click();
    // Mouse movement over the box, the panel or Shape1.
    void BackgroundMouseMove();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void SetLinkColour(const QColor& colour);
};

} // namespace flexara
