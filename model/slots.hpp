// Kelvorin - desktop workbench for vibrational calculations.
// Names of the parameter slots (Par) and switches (Sw) the program reads or sets. The numbers
// are those of the settings the program has always kept; a slot without a name here is set at
// start-up only or not used.
#pragma once

namespace kel::par {

inline constexpr int ErrorReports = 14;     ///< run-time error reports so far (numbers Text4)
inline constexpr int ScaleFactor = 15;      ///< frequency scaling: factor of "factor*x + shift"
inline constexpr int ScaleShift = 16;       ///< frequency scaling: the additive shift
inline constexpr int ReadStart = 28;        ///< -1 once a Gaussian read has started
inline constexpr int MainColour = 29;       ///< main window background: light grey or green
inline constexpr int ChooserColour = 30;    ///< colour of the structure chooser and button 5
inline constexpr int CheckTime = 31;        ///< timer of the last break check
inline constexpr int CheckCount = 32;       ///< break checks so far
inline constexpr int CheckInterval = 33;    ///< seconds between the last two break checks
inline constexpr int ReadSteps = 34;        ///< 0 at the start of a read
inline constexpr int ConsoleTop = 35;       ///< designed top of the log console
inline constexpr int ConsoleHeight = 36;    ///< designed height of the log console
inline constexpr int NameFromArg2 = 39;     ///< > 0: the chooser takes its name from Arg2
inline constexpr int ViewerState = 40;      ///< viewer window: 1 normal, 0 minimised once
inline constexpr int DofWeight = 41;        ///< 1 / (3N - 6) after a read, 0 during one
inline constexpr int ChooserPurpose = 50;   ///< structure chooser: 0 structure, 1 connection file
inline constexpr int DofWeightSingle = 56;  ///< 1 / (3N - 6) in single precision
inline constexpr int DofWeightRest = 59;    ///< 0 after a read

}  // namespace kel::par

namespace kel::sw {

inline constexpr int MpoEnter = 0;          ///< Enter in the command box: off = view structure
inline constexpr int ReadDone = 8;          ///< a read has finished: the viewer starts afresh
inline constexpr int Reading = 9;           ///< a read is in progress
inline constexpr int NameFromCommand = 13;  ///< the job name came from the command line
inline constexpr int AfterRead14 = 14;      ///< cleared after a read and a matrix build
inline constexpr int GreenMain = 16;        ///< main window in light green
inline constexpr int WatchMpo = 17;         ///< hover check compares the connection scratch file
inline constexpr int MatrixDerived = 18;    ///< the connection matrix was derived, not read
inline constexpr int MatrixDefined = 19;    ///< a connection matrix is defined
inline constexpr int NoPauses = 32;         ///< the short pause returns at once
inline constexpr int SaveSteer34 = 34;      ///< steers the matrix saving decision
inline constexpr int ModesHeld = 35;        ///< vibrational data read from a frequency block
inline constexpr int CopyFirst = 45;        ///< first of three copy switches (45, 46, 47)
inline constexpr int SmallMargin = 67;      ///< break checks clear the console earlier
inline constexpr int MatrixCorrected = 72;  ///< a correction of the matrix was logged
inline constexpr int MassesRead = 90;       ///< masses and inverse masses were filled
inline constexpr int SmallMarginRun = 92;   ///< as SmallMargin, for TekUsn only
inline constexpr int Summary96 = 96;        ///< cleared with Summary128 after a read
inline constexpr int CheckMark = 102;       ///< cleared at every break check
inline constexpr int CopyOut = 105;         ///< first of three copy outputs (105, 106, 107)
inline constexpr int BreakAsked = 111;      ///< a break point is asked for at the next check
inline constexpr int BreakWaiting = 112;    ///< a break point waits for main button 1
inline constexpr int Scaling = 114;         ///< a frequency scaling instruction is held
inline constexpr int SaveSteer121 = 121;    ///< steers the matrix saving decision
inline constexpr int AnyAngle = 123;        ///< angles at atoms of any connection count
inline constexpr int Log = 124;             ///< console lines go to the log file
inline constexpr int Greeted = 127;         ///< the greeting was answered
inline constexpr int Summary128 = 128;      ///< set by the summary path of a read

}  // namespace kel::sw
