// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/text_files.hpp"

#include "model/work.hpp"

#include <fstream>

namespace kel {

namespace {
constexpr std::string_view NoLineEnd = "no line end in the first 1024 bytes of file ";
constexpr std::string_view NotText = "... it is not read as a text file";
}  // namespace

void SplB(Work& w, const std::string& f, double& n, int& ier) {
  n = -1;
  ier = 1;
  if (f.empty()) return;
  long long len = spl(f);
  if (len <= 0) {
    n = double(len);
    return;
  }
  n = double(len);
  std::ifstream in(f, std::ios::binary);
  if (!in) throw BasicError{75};
  char head[1024];
  in.read(head, std::streamsize(std::min<long long>(len, sizeof head)));
  std::string_view first(head, std::size_t(in.gcount()));
  if (first.find_first_of("\r\n") != std::string_view::npos) {
    ier = 0;
    return;
  }
  tekst(w, std::string(NoLineEnd) + f);
  tekst(w, NotText);
  ier = 2;
}

}  // namespace kel
