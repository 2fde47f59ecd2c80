// The windows of the program, each created once for the whole run in this
// order: the main window (which installs the default case), then, hidden, the
// about box, the exit confirmation, the settings, the custom concrete strength,
// the warning, the load combinations and the diagrams. They belong to the main window and
// go with it.
#pragma once

#include <memory>

namespace flexara {

class TAboutBox;
class TFAviso;
class TFConcreto;
class TFCombinacoes;
class TFDiagramas;
class TFConfig;
class TFPrincipal;
class Tconfirma;

struct ProgramWindows {
    std::unique_ptr<TFPrincipal> FPrincipal;
    TAboutBox* AboutBox = nullptr;
    Tconfirma* confirma = nullptr;
    TFConfig* FConfig = nullptr;
    TFConcreto* FConcreto = nullptr;
    TFAviso* FAviso = nullptr;
    TFCombinacoes* FCombinacoes = nullptr;
    TFDiagramas* FDiagramas = nullptr;

    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(ProgramWindows&&) noexcept;
    ProgramWindows& operator=(ProgramWindows&&) noexcept;
};

ProgramWindows CreateProgramWindows();

} // namespace flexara
