#include "texts/Words.h"

#include "engine/NumberText.h"

namespace flexara {

const char* CurveStatusKey(CurveStatus status)
{
    switch (status) {
    case CurveStatus::Ok:
        return "ok";
    case CurveStatus::Refused:
        return "refused";
    case CurveStatus::OutOfRange:
        return "out-of-range";
    case CurveStatus::Error:
        break;
    }
    return "error";
}

const char* CombinationStatusKey(CombinationStatus status)
{
    switch (status) {
    case CombinationStatus::Holds:
        return "holds";
    case CombinationStatus::Fails:
        return "fails";
    case CombinationStatus::OutOfRange:
        return "out-of-range";
    case CombinationStatus::Refused:
        return "refused";
    case CombinationStatus::Error:
        break;
    }
    return "error";
}

const char* CombinationStatusText(CombinationStatus status)
{
    switch (status) {
    case CombinationStatus::Holds:
        return "atende";
    case CombinationStatus::Fails:
        return "não atende";
    case CombinationStatus::OutOfRange:
        return "Nd fora do intervalo";
    case CombinationStatus::Refused:
        return "recusada";
    case CombinationStatus::Error:
        break;
    }
    return "erro";
}

const char* CombinationStatusCsvWord(CombinationStatus status)
{
    switch (status) {
    case CombinationStatus::Holds:
        return "atende";
    case CombinationStatus::Fails:
        return "nao-atende";
    case CombinationStatus::OutOfRange:
        return "fora-do-intervalo";
    case CombinationStatus::Refused:
        return "recusada";
    case CombinationStatus::Error:
        break;
    }
    return "erro";
}

const char* WarningText(CurveWarning warning)
{
    switch (warning) {
    case CurveWarning::ZeroArea:
        return "Área de concreto ou aço nula.";
    case CurveWarning::BarsOutside:
        return "Barras de aço fora da seção.";
    case CurveWarning::InvalidOutline:
        break;
    }
    return "Contorno da seção inválido: pontos no sentido horário ou lados cruzados.";
}

const std::array<const char*, 5> OutOfRangeNoticeLines = {"O valor de Nd não ", "está contido no ", "intervalo do ",
                                                          "Diagrama de ", "Interação."};

std::string OutOfRangeNoticeText()
{
    std::string text;
    for (const char* line : OutOfRangeNoticeLines)
        text += line;
    return text;
}

std::string CombinationMessage(const CombinationResult& row)
{
    switch (row.status) {
    case CombinationStatus::Holds:
    case CombinationStatus::Fails:
        return std::string();
    case CombinationStatus::OutOfRange:
        return OutOfRangeNoticeText();
    case CombinationStatus::Refused: {
        std::string text;
        for (const CurveWarning warning : row.warnings)
            text += (text.empty() ? "" : " ") + std::string(WarningText(warning));
        return text;
    }
    case CombinationStatus::Error:
        break;
    }
    return row.fault ? WithFullStop(FaultText(*row.fault)) : std::string();
}

std::string FaultText(const Fault& fault)
{
    switch (fault.kind) {
    case FaultKind::InvalidOperation:
        return InvalidOperationMessage;
    case FaultKind::DivisionByZero:
        return DivisionByZeroMessage;
    case FaultKind::Overflow:
        return OverflowMessage;
    case FaultKind::NoSteelSelected:
        return "Nenhum aço selecionado: escolha a classe do aço na lista \"Aço\"";
    case FaultKind::SurfaceLevelCount:
        return "O número de níveis da superfície deve estar entre 1 e " + FormatGeneral(fault.limit);
    case FaultKind::NegativePointCount:
        break;
    }
    return "O número de pontos do diagrama de interação não pode ser negativo";
}

std::string FailureText(const std::exception& failure)
{
    if (const auto* engine = dynamic_cast<const EngineError*>(&failure))
        return FaultText(engine->fault());
    return failure.what();
}

} // namespace flexara
