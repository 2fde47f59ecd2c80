// Units of the analysis engine. Everything that crosses the engine's edge is in
// the units below; moments are kN·cm inside and kN·m at the edge.
//
//   coordinates, lengths, shape dimensions   cm
//   bar diameters                            mm
//   areas                                    cm²
//   axial forces                             kN, tension positive
//   stresses, strengths, moduli              kN/cm²
//   strains                                  per mil, shortening negative
//   angles                                   radians
#pragma once

namespace flexara {

// 2π and π held to the 64-bit mantissa of the x87 format.
constexpr long double TwoPi = 6.283185307179586477L;
constexpr long double Pi = 3.14159265358979323851L;

// kN·cm inside the engine, kN·m on the chart.
constexpr long double KNcmPerKNm = 100.0L;

// Strain limits of the ultimate state in the classic model, per mil (the code
// models take theirs from fck, engine/section/CalculationModel.h).
constexpr double ConcreteUltimateStrain = -3.5;
constexpr double UniformShorteningStrain = -2.0;
constexpr double SteelUltimateStrain = 10.0;
// Edge of the rectangular stress block: fibres shortened by 0.7 per mil or more.
constexpr double StressBlockStrain = -0.7;

} // namespace flexara
