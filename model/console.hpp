// Kelvorin - desktop workbench for vibrational calculations.
// The log console and "skrK.log", the error report, the pauses and break checks, and the
// fixed-width number fields that every writer uses.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kel {

struct Work;
struct Control;

// --- console and log
/// Starts a new console line with ay and writes it to the log file as a new line.
void tekst(Work& w, std::string_view ay);
/// Appends ay to the current console line and to the log file without a line break.
void TekUl(Work& w, std::string_view ay);
/// Writes ay to "skrK.log" (a line break first when Li != 0) while Sw(sw::Log) is on.
void TekLog(Work& w, std::string_view ay, int Li);
/// Writes out what the log file holds in memory (at every yield, error and end of a command).
void flushLog(Work& w);
/// The error report: numbered, newest first in Text4; closes every open file.
void erra(Work& w, std::string_view u, int number);
/// The same report into another form's message box (the exit dialog's Text4).
void erraTo(Work& w, Control& box, std::string_view u, int number);

// --- pauses and user break
/// Waits t seconds, yielding to the event loop; never hangs across midnight.
void Czekaj(Work& w, double t);
/// Short pacing pause for long loops (see the pause rules in console.cpp).
void jaba(Work& w, int k, int& ok);
/// The check long operations make between steps: break point, auto-clear, switch copies.
void TekUs(Work& w, int& ier);
/// As TekUs, with the small auto-clear margin also when Sw(sw::SmallMarginRun) is on.
void TekUsn(Work& w, int& ier);
/// Break point: waits until main button 1 clears Sw(sw::BreakWaiting).
void Breka(Work& w);

// --- console events
void text2_dblClick(Work& w);
void burek_Click(Work& w);
void Text2_MouseDown(Work& w, int button);
void Text2_Click(Work& w);
void VScr2_Change(Work& w);
void fosi_Click(Work& w);
/// Sets the scroll bar's value and runs its change event.
void setScroll(Work& w, int value);

// --- number fields: channel i = 0 appends to the console line, otherwise to open file i
void fomi(Work& w, int i, int j, long long k);
void fomo(Work& w, int i, int j, long long o);
void fom2(Work& w, int i, int j, double a);
void fom3(Work& w, int i, int j, double a);
void fom4(Work& w, int i, int j, double a);
void fom6(Work& w, int i, int j, double a);
void fom8(Work& w, int i, int j, double a);
/// The label sy followed by a right-aligned two-decimal number in width j.
void fom2L(Work& w, int i, int j, std::string_view sy, double a);
/// The field text of fomi..fom8 (right-aligned in width j, at least one blank when j > 0).
std::string fieldText(double a, std::string_view pattern, int j);
/// a formatted with any numeric pattern, decimal point always '.'.
std::string Formak(double azm, std::string_view yyy);
/// A number as the program joins it into texts without a leading blank ("12", "1.5").
std::string CStr(double x);

// --- progress indicator (nothing is drawn)
void PbIni(Work& w);
void fnBar(Work& w, double x, double& r);

}  // namespace kel
