#include "ProgramWindows.h"

#include "CombinationsWindow.h"

#include "TAboutBox.h"
#include "TFAviso.h"
#include "TFConcreto.h"
#include "TFConfig.h"
#include "TFPrincipal.h"
#include "Tconfirma.h"

namespace flexara {

ProgramWindows::ProgramWindows() = default;
ProgramWindows::~ProgramWindows() = default;
ProgramWindows::ProgramWindows(ProgramWindows&&) noexcept = default;
ProgramWindows& ProgramWindows::operator=(ProgramWindows&&) noexcept = default;

ProgramWindows CreateProgramWindows()
{
    ProgramWindows windows;
    windows.FPrincipal = std::make_unique<TFPrincipal>();
    TFPrincipal* main = windows.FPrincipal.get();
    windows.AboutBox = new TAboutBox(main);
    windows.confirma = new Tconfirma(main);
    windows.FConfig = new TFConfig(
        *main, [main](QWidget* field, const QString& text) { main->MarkInput(field, text); }, main);
    windows.FConcreto = new TFConcreto(*main, main);
    windows.FAviso = new TFAviso(main);
    main->AttachDialogs(windows.AboutBox, windows.confirma, windows.FConfig, windows.FConcreto, windows.FAviso);
    windows.FCombinacoes = new TFCombinacoes(*main, main);
    main->AttachCombinations(windows.FCombinacoes);
    return windows;
}

} // namespace flexara
