#pragma once

// Object names of the chart controls, spelled once for the windows, their bindings and the tests.
namespace chart::names {

inline constexpr char MSChart1[] = "MSChart1";
inline constexpr char frmChartG[] = "frmChartG";
inline constexpr char MSChartG[] = "MSChartG";
inline constexpr char cmdChartType[] = "cmdChartType";
inline constexpr char lblStrich[] = "lblStrich";
inline constexpr char lblMean[] = "lblMean";
inline constexpr char mnuSavePng[] = "mnuSavePng";

} // namespace chart::names
