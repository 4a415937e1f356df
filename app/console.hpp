// Kelvorin - desktop workbench for vibrational calculations.
// The log console and "skrK.log", the error report, the pauses and break checks, and the
// fixed-width number fields that every writer uses.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kel {

struct App;
struct Control;

// --- console and log
/// Starts a new console line with ay and writes it to the log file as a new line.
void tekst(App& app, std::string_view ay);
/// Appends ay to the current console line and to the log file without a line break.
void TekUl(App& app, std::string_view ay);
/// Writes ay to "skrK.log" (a line break first when Li != 0) while Sw(124) is on.
void TekLog(App& app, std::string_view ay, int Li);
/// Writes out what the log file holds in memory (at every yield, error and end of a command).
void flushLog(App& app);
/// The error report: numbered, newest first in Text4; closes every open file.
void erra(App& app, std::string_view u, int number);
/// The same report into another form's message box (the exit dialog's Text4).
void erraTo(App& app, Control& box, std::string_view u, int number);

// --- pauses and user break
/// Waits t seconds, yielding to the event loop; never hangs across midnight.
void Czekaj(App& app, double t);
/// Short pacing pause for long loops (see the pause rules in console.cpp).
void jaba(App& app, int k, int& ok);
/// The check long operations make between steps: break point, auto-clear, switch copies.
void TekUs(App& app, int& ier);
/// As TekUs, with the small auto-clear margin also when Sw(92) is on.
void TekUsn(App& app, int& ier);
/// Break point: waits until main button 1 clears Sw(112).
void Breka(App& app);

// --- console events
void text2_dblClick(App& app);
void burek_Click(App& app);
void Text2_MouseDown(App& app, int button);
void Text2_Click(App& app);
void VScr2_Change(App& app);
void fosi_Click(App& app);
/// Sets the scroll bar's value and runs its change event.
void setScroll(App& app, int value);

// --- number fields: channel i = 0 appends to the console line, otherwise to open file i
void fomi(App& app, int i, int j, long long k);
void fomo(App& app, int i, int j, long long o);
void fom2(App& app, int i, int j, double a);
void fom3(App& app, int i, int j, double a);
void fom4(App& app, int i, int j, double a);
void fom6(App& app, int i, int j, double a);
void fom8(App& app, int i, int j, double a);
/// The label sy followed by a right-aligned two-decimal number in width j.
void fom2L(App& app, int i, int j, std::string_view sy, double a);
/// The field text of fomi..fom8 (right-aligned in width j, at least one blank when j > 0).
std::string fieldText(double a, std::string_view pattern, int j);
/// a formatted with any numeric pattern, decimal point always '.'.
std::string Formak(double azm, std::string_view yyy);
/// A number as the program joins it into texts without a leading blank ("12", "1.5").
std::string CStr(double x);

// --- progress indicator (nothing is drawn)
void PbIni(App& app);
void fnBar(App& app, double x, double& r);

}  // namespace kel
