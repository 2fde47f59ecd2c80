#include "dialogs/TAboutBox.h"

#include "dialogs/WindowLook.h"
#include "engine/Version.h"
#include "resources/JpegImage.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace flexara {

namespace {

QLabel* AddLabel(QWidget* parent, const QString& text, int left, int top, int width, int height)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(left, top, width, height);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Sobre o FLEXARA"));
    FixDialogBorder(this, true);
    PaintSilver(this);
    setFixedSize(380, 343);

    Panel1 = new QFrame(this);
    Panel1->setGeometry(8, 8, 364, 290);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);

    // Created first so that the controls of the top block lie above it.
    Shape1 = new QWidget(Panel1);
    Shape1->setGeometry(8, 8, 348, 92);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setGeometry(16, 16, 32, 32);
    ProgramIcon->setPixmap(QPixmap::fromImage(LoadJpegResource(QStringLiteral(":/pictures/icone.jpg"))));
    ProgramIcon->setAccessibleName(QStringLiteral("Ícone do FLEXARA"));

    ProductName = AddLabel(Panel1, QStringLiteral("FLEXARA"), 64, 12, 200, 34);
    QFont productFont(QStringLiteral("Lucida Console"));
    productFont.setStyleHint(QFont::Monospace);
    productFont.setPixelSize(27);
    ProductName->setFont(productFont);

    Label8 = AddLabel(Panel1, QStringLiteral("Versão ") + QString::fromUtf8(ProgramVersion), 64, 48, 200, 16);
    QFont bold = Label8->font();
    bold.setBold(true);
    Label8->setFont(bold);

    Label9 = AddLabel(Panel1, QString::fromUtf8(ProjectWebAddress), 64, 70, 200, 16);
    QFont link = Label9->font();
    link.setUnderline(true);
    Label9->setFont(link);
    Label9->setCursor(Qt::PointingHandCursor);
    Label9->setToolTip(QString::fromUtf8(ProjectWebAddress));
    Label9->setAccessibleDescription(QStringLiteral("Abre a página do projeto no navegador"));
    SetLinkColour(Qt::blue);

    auto* line = new QFrame(Panel1);
    line->setGeometry(8, 106, 348, 2);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    QLabel* authors = AddLabel(Panel1, QStringLiteral("Autores:"), 16, 116, 200, 16);
    authors->setFont(bold);
    AddLabel(Panel1, QStringLiteral("Equipe de desenvolvimento do FLEXARA"), 28, 134, 320, 16);
    AddLabel(Panel1, QStringLiteral("Grupo de estudos de estruturas de concreto armado"), 28, 150, 320, 16);

    QLabel* support = AddLabel(Panel1, QStringLiteral("Apoio:"), 16, 176, 200, 16);
    support->setFont(bold);
    AddLabel(Panel1, QStringLiteral("Instituições de ensino e de fomento à pesquisa"), 28, 194, 320, 16);
    AddLabel(Panel1, QStringLiteral("Laboratórios de estruturas que testaram o programa"), 28, 210, 320, 16);
    AddLabel(Panel1, QStringLiteral("Estudantes e engenheiros que enviaram sugestões"), 28, 226, 320, 16);

    Label1 = AddLabel(Panel1, QStringLiteral("05/2001"), 16, 262, 100, 16);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setGeometry(152, 308, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    for (QWidget* surface : {static_cast<QWidget*>(this), static_cast<QWidget*>(Panel1), Shape1}) {
        surface->setMouseTracking(true);
        surface->installEventFilter(this);
    }
    Label9->setMouseTracking(true);
    Label9->installEventFilter(this);
}

void TAboutBox::SetLinkColour(const QColor& colour)
{
    QPalette palette = Label9->palette();
    palette.setColor(QPalette::WindowText, colour);
    Label9->setPalette(palette);
}

void TAboutBox::Label9MouseMove()
{
    SetLinkColour(Qt::red);
}

void TAboutBox::BackgroundMouseMove()
{
    SetLinkColour(Qt::blue);
}

void TAboutBox::Label9Click()
{
    // Whether a browser opened is not reported.
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(ProjectWebAddress)));
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched != Label9) {
            BackgroundMouseMove();
        } else {
            // Kept from the panel under the label, which would turn it blue again.
            Label9MouseMove();
            event->accept();
            return true;
        }
    } else if (watched == Label9 && event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label9Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Centred on the screen, not over the main window.
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace flexara
