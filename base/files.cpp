// Kelvorin - desktop workbench for vibrational calculations.
#include "base/files.hpp"

#include "base/basic_error.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace kel {

namespace fs = std::filesystem;

namespace {

int openErrorNumber(int err) {
  switch (err) {
    case ENOENT:
      return 53;
    case EACCES:
    case EPERM:
    case EROFS:
      return 70;
    case ENOSPC:
      return 61;
    case EISDIR:
      return 75;
    default:
      return 75;
  }
}

}  // namespace

LineReader& FileTable::openInput(int n, const std::string& path) {
  if (isOpen(n)) throw BasicError{55};
  std::error_code ec;
  if (fs::is_directory(path, ec)) throw BasicError{75};
  auto r = std::make_unique<LineReader>(path);
  auto& ref = *r;
  in_[n] = std::move(r);
  return ref;
}

void FileTable::openOutput(int n, const std::string& path, bool append) {
  if (isOpen(n)) throw BasicError{55};
  std::FILE* fp = std::fopen(path.c_str(), append ? "ab" : "wb");
  if (!fp) throw BasicError{openErrorNumber(errno) == 53 ? 76 : openErrorNumber(errno)};
  out_[n] = fp;
}

/// The file a comparison channel is compared with, read as the writes come, in parts as
/// large as the writes of a summary file's mode lines: a few reads for megabytes.
struct FileTable::Comparison {
  static constexpr std::size_t Part = std::size_t(1) << 18;
  std::ifstream file;
  bool same = true;
  std::unique_ptr<char[]> buf = std::make_unique_for_overwrite<char[]>(Part);

  static ssize_t write(void* cookie, const char* data, std::size_t size) {
    auto& c = *static_cast<Comparison*>(cookie);
    for (std::size_t done = 0; c.same && done < size;) {
      const std::size_t part = std::min(size - done, Part);
      c.file.read(c.buf.get(), std::streamsize(part));
      c.same =
          std::size_t(c.file.gcount()) == part && std::memcmp(c.buf.get(), data + done, part) == 0;
      done += part;
    }
    return ssize_t(size);
  }
};

FileTable::~FileTable() {
  closeAll();
}

void FileTable::openComparison(int n, const std::string& path) {
  if (isOpen(n)) throw BasicError{55};
  auto c = std::make_shared<Comparison>();
  c->file.open(path, std::ios::binary);
  c->same = bool(c->file);
  cookie_io_functions_t io{nullptr, &Comparison::write, nullptr, nullptr};
  std::FILE* fp = fopencookie(c.get(), "w", io);
  if (!fp) throw BasicError{7};
  out_[n] = fp;
  compared_[n] = std::move(c);
}

void FileTable::openDiscard(int n) {
  if (isOpen(n)) throw BasicError{55};
  cookie_io_functions_t io{nullptr,
                           [](void*, const char*, std::size_t size) { return ssize_t(size); },
                           nullptr, nullptr};
  std::FILE* fp = fopencookie(nullptr, "w", io);
  if (!fp) throw BasicError{7};
  out_[n] = fp;
}

bool FileTable::closeComparison(int n) {
  auto it = compared_.find(n);
  if (it == compared_.end()) throw BasicError{52};
  close(n);  // flushes the last writes into the comparison
  auto& c = *it->second;
  const bool same = c.same && c.file.peek() == std::char_traits<char>::eof();
  compared_.erase(it);
  return same;
}

LineReader& FileTable::in(int n) {
  auto it = in_.find(n);
  if (it == in_.end()) throw BasicError{52};
  return *it->second;
}

void FileTable::write(int n, std::string_view text) {
  auto it = out_.find(n);
  if (it == out_.end()) throw BasicError{52};
  if (text.empty()) return;
  if (std::fwrite(text.data(), 1, text.size(), it->second) != text.size())
    throw BasicError{errno == ENOSPC ? 61 : 57};
}

void FileTable::close(int n) {
  if (auto it = in_.find(n); it != in_.end()) {
    in_.erase(it);
    return;
  }
  if (auto it = out_.find(n); it != out_.end()) {
    std::FILE* fp = it->second;
    out_.erase(it);
    if (std::fclose(fp) != 0) throw BasicError{errno == ENOSPC ? 61 : 57};
  }
}

void FileTable::closeAll() noexcept {
  in_.clear();
  for (auto& [n, fp] : out_) std::fclose(fp);
  out_.clear();
  compared_.clear();
}

long long fileLength(const std::string& f) {
  std::error_code ec;
  auto st = fs::status(f, ec);
  if (f.empty() || ec || !fs::exists(st)) return 0;
  if (fs::is_directory(st)) return -1;
  auto n = fs::file_size(f, ec);
  if (ec) return -1;
  std::FILE* fp = std::fopen(f.c_str(), "rb");
  if (!fp) return -1;
  std::fclose(fp);
  return static_cast<long long>(n);
}

long long spl(const std::string& f) {
  if (f.empty()) return -1;
  return fileLength(f);
}

void SplW(const std::string& f, double& n, int& ier) {
  ier = 0;
  n = -1;
  if (f.empty()) {
    ier = 52;
    return;
  }
  long long k = spl(f);
  if (k < 0) {
    ier = 75;
    return;
  }
  n = static_cast<double>(k);
}

bool fileExists(const std::string& f) {
  std::error_code ec;
  return !f.empty() && fs::is_regular_file(f, ec);
}

void copyFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  if (!fs::exists(from, ec)) throw BasicError{53};
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  if (ec) throw BasicError{openErrorNumber(ec.value())};
}

void renameFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  if (!fs::exists(from, ec)) throw BasicError{53};
  if (fs::exists(to, ec)) throw BasicError{58};
  fs::rename(from, to, ec);
  if (ec) throw BasicError{openErrorNumber(ec.value())};
}

bool deleteFile(const std::string& f) {
  std::error_code ec;
  return fs::remove(f, ec);
}

std::string currentDir() {
  std::error_code ec;
  auto p = fs::current_path(ec);
  std::string s = ec ? std::string(".") : p.generic_string();
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

}  // namespace kel
