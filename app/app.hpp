// Kelvorin - desktop workbench for vibrational calculations.
// The program's whole state: the forms and the work context (model, log, files, platform).
#pragma once

#include "analysis/mode_overlap.hpp"
#include "app/choosers.hpp"
#include "app/exit_dialog.hpp"
#include "app/frm_kel.hpp"
#include "app/spectrum_form.hpp"
#include "base/files.hpp"
#include "base/platform.hpp"
#include "model/model.hpp"
#include "model/work.hpp"
#include "viewer/viewer_forms.hpp"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kel {

/// The windows as plain state (made before the work context, which reports into frm).
struct Forms {
  FrmKel frm;
  KelWe1 we1;
  KelWe2 we2;
  KeExit exitDlg;
  FrmObr obr;
  KelFrq frq;
  Odleg odleg;
  FrmSpectrum spectrum;  ///< the Spectrum window, and the spectra of batch mode
};

/// The program: the forms and the work context that every procedure below app/ takes
/// (an App is passed where a Work is asked for); it also hands out the viewer's context.
struct App : Forms, Work {
  App();
  ~App();

  /// The viewer's context: its forms, the model and the rest of the work context.
  Viewer view;
  /// The frequency report's overlap check, started when modes are read (see startOverlapCheck).
  std::unique_ptr<OverlapJob> earlyOverlap;
  operator Viewer&() { return view; }
};

}  // namespace kel
