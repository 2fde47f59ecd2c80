#include "editor/ProgramWindows.h"

#include "editor/CombinationsWindow.h"
#include "editor/DiagramsWindow.h"

#include "dialogs/TAboutBox.h"
#include "dialogs/TFAviso.h"
#include "dialogs/TFConcreto.h"
#include "dialogs/TFConfig.h"
#include "dialogs/Tconfirma.h"
#include "editor/TFPrincipal.h"

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
    windows.FDiagramas = new TFDiagramas(*main, main);
    main->AttachDiagrams(windows.FDiagramas);
    return windows;
}

} // namespace flexara
