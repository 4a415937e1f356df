// Kelvorin - desktop workbench for vibrational calculations.
#include "base/line_reader.hpp"

#include "base/basic_error.hpp"
#include "base/convert.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kel {

namespace {
constexpr std::size_t BufSize = 1 << 16;
}

LineReader::LineReader(const std::string& path) {
  fp_ = std::fopen(path.c_str(), "rb");
  if (!fp_) throw BasicError{errno == ENOENT ? 53 : (errno == EACCES ? 70 : 75)};
  buf_ = std::make_unique_for_overwrite<char[]>(BufSize);  // pages come as the reads fill them
}

LineReader LineReader::fromText(std::string text) {
  LineReader r;
  r.mem_ = std::move(text);
  return r;
}

LineReader::LineReader(LineReader&& o) noexcept {
  *this = std::move(o);
}

LineReader& LineReader::operator=(LineReader&& o) noexcept {
  if (this != &o) {
    if (fp_) std::fclose(fp_);
    fp_ = o.fp_;
    o.fp_ = nullptr;
    mem_ = std::move(o.mem_);
    buf_ = std::move(o.buf_);
    bufLen_ = o.bufLen_;
    bufPos_ = o.bufPos_;
    bufStart_ = o.bufStart_;
    atEnd_ = o.atEnd_;
    pendingCR_ = o.pendingCR_;
    cur_ = std::move(o.cur_);
    pos_ = o.pos_;
    have_ = o.have_;
    lineNo_ = o.lineNo_;
    nlAt_ = o.nlAt_;
    crAt_ = o.crAt_;
  }
  return *this;
}

LineReader::~LineReader() {
  if (fp_) std::fclose(fp_);
}

bool LineReader::fill() {
  if (atEnd_) return false;
  if (!fp_) {
    // Memory text: served as a single buffer.
    if (bufPos_ >= mem_.size()) {
      atEnd_ = true;
      return false;
    }
    return true;
  }
  bufStart_ += bufLen_;
  bufLen_ = std::fread(buf_.get(), 1, BufSize, fp_);
  bufPos_ = 0;
  nlAt_ = crAt_ = Stale;
  if (bufLen_ == 0) {
    if (std::ferror(fp_)) throw BasicError{57};
    atEnd_ = true;
    return false;
  }
  return true;
}

std::size_t LineReader::lineEnd(const char* data, std::size_t len) {
  // The next LF and the next CR of the buffer are each looked for once with memchr and kept
  // until the read passes them: lines of any length and any line end cost one scan.
  if (nlAt_ == Stale || nlAt_ < bufPos_) {
    const void* q = std::memchr(data + bufPos_, '\n', len - bufPos_);
    nlAt_ = q ? std::size_t(static_cast<const char*>(q) - data) : len;
  }
  if (crAt_ == Stale || crAt_ < bufPos_) {
    const void* q = std::memchr(data + bufPos_, '\r', len - bufPos_);
    crAt_ = q ? std::size_t(static_cast<const char*>(q) - data) : len;
  }
  return nlAt_ < crAt_ ? nlAt_ : crAt_;
}

bool LineReader::readRaw(std::string& line) {
  line.clear();
  bool any = false;
  for (;;) {
    const char* data;
    std::size_t len;
    if (fp_) {
      if (bufPos_ >= bufLen_ && !fill()) break;
      data = buf_.get();
      len = bufLen_;
    } else {
      if (bufPos_ >= mem_.size()) {
        atEnd_ = true;
        break;
      }
      data = mem_.data();
      len = mem_.size();
    }
    if (pendingCR_) {
      pendingCR_ = false;
      if (data[bufPos_] == '\n') {
        ++bufPos_;
        continue;
      }
    }
    const std::size_t e = lineEnd(data, len);
    line.append(data + bufPos_, e - bufPos_);
    any = true;
    if (e < len) {
      bufPos_ = e + 1;
      if (data[e] == '\r') pendingCR_ = true;
      ++lineNo_;
      return true;
    }
    bufPos_ = len;
  }
  if (any) ++lineNo_;
  return any;
}

bool LineReader::getLine(std::string& line) {
  if (have_) {
    have_ = false;
    line = cur_.substr(pos_);
    return true;
  }
  return readRaw(line);
}

bool LineReader::viewLine(std::string_view& line) {
  if (!have_) {
    const char* data = fp_ ? buf_.get() : mem_.data();
    const std::size_t len = fp_ ? bufLen_ : mem_.size();
    if (pendingCR_ && bufPos_ < len) {  // the LF of a CR LF
      pendingCR_ = false;
      if (data[bufPos_] == '\n') ++bufPos_;
    }
    if (bufPos_ < len) {
      const std::size_t e = lineEnd(data, len);
      if (e < len) {  // the whole line and its end lie in the buffer
        line = std::string_view(data + bufPos_, e - bufPos_);
        bufPos_ = e + 1;
        if (data[e] == '\r') pendingCR_ = true;
        ++lineNo_;
        return true;
      }
    }
  }
  if (!getLine(viewed_)) return false;
  line = viewed_;
  return true;
}

namespace {

/// The last LF or CR of data[from..to), or to when there is none.
std::size_t lastLineEnd(const char* data, std::size_t from, std::size_t to) {
  const void* lf = ::memrchr(data + from, '\n', to - from);
  const std::size_t after = lf ? std::size_t(static_cast<const char*>(lf) - data) + 1 : from;
  if (const void* cr = ::memrchr(data + after, '\r', to - after))
    return std::size_t(static_cast<const char*>(cr) - data);
  return lf ? after - 1 : to;
}

}  // namespace

void LineReader::passLinesWithout(Finder find) {
  if (have_) return;
  for (;;) {
    const char* data = fp_ ? buf_.get() : mem_.data();
    const std::size_t len = fp_ ? bufLen_ : mem_.size();
    if (bufPos_ >= len) {
      if (fp_ && fill()) continue;
      return;
    }
    if (pendingCR_) {  // the LF of a CR LF
      pendingCR_ = false;
      if (data[bufPos_] == '\n') ++bufPos_;
      continue;
    }
    const std::size_t hit = bufPos_ + find(data + bufPos_, len - bufPos_);
    // Every line that ends before the hit (or before the buffer's end) is passed over.
    const std::size_t end = lastLineEnd(data, bufPos_, hit);
    if (end < hit) {
      bufPos_ = end + 1;
      if (data[end] == '\r') pendingCR_ = true;
    }
    if (hit < len || bufPos_ < len) return;  // the line holding the hit, or one going on
  }
}

std::string LineReader::lineInput() {
  std::string s;
  if (!getLine(s)) throw BasicError{62};
  return s;
}

bool LineReader::eof() {
  if (have_) return false;
  if (fp_) {
    for (;;) {
      if (bufPos_ >= bufLen_ && !fill()) return true;
      // The LF of a CR LF (perhaps the only character of a new buffer) holds no line.
      if (pendingCR_ && buf_[bufPos_] == '\n') {
        ++bufPos_;
        pendingCR_ = false;
        continue;
      }
      return false;
    }
  }
  std::size_t p = bufPos_;
  if (pendingCR_ && p < mem_.size() && mem_[p] == '\n') ++p;
  return p >= mem_.size();
}

std::uint64_t LineReader::offset() {
  if (fp_) {
    eof();  // swallows the LF of a CR LF: the next line starts after it
    return bufStart_ + bufPos_;
  }
  if (pendingCR_ && bufPos_ < mem_.size() && mem_[bufPos_] == '\n') {
    ++bufPos_;
    pendingCR_ = false;
  }
  return bufPos_;
}

void LineReader::seek(std::uint64_t off) {
  have_ = false;
  pendingCR_ = false;
  atEnd_ = false;
  nlAt_ = crAt_ = Stale;
  if (!fp_) {
    bufPos_ = std::size_t(std::min<std::uint64_t>(off, mem_.size()));
    return;
  }
  if (off >= bufStart_ && off - bufStart_ <= bufLen_) {
    bufPos_ = std::size_t(off - bufStart_);
    return;
  }
  if (fseeko(fp_, static_cast<off_t>(off), SEEK_SET) != 0) throw BasicError{75};
  bufStart_ = off;
  bufLen_ = bufPos_ = 0;
}

bool LineReader::loadLine() {
  if (have_) return true;
  if (!readRaw(cur_)) return false;
  pos_ = 0;
  have_ = true;
  return true;
}

bool LineReader::tryInputNumber(double& x) {
  for (;;) {
    if (!loadLine()) return false;
    while (pos_ < cur_.size() && (cur_[pos_] == ' ' || cur_[pos_] == '\t')) ++pos_;
    if (pos_ < cur_.size()) break;
    have_ = false;  // a blank rest of line holds no item
  }
  std::size_t start = pos_;
  if (cur_[pos_] == ',') {  // an empty item
    ++pos_;
    x = 0.0;
  } else {
    while (pos_ < cur_.size() && cur_[pos_] != ',' && cur_[pos_] != ' ' && cur_[pos_] != '\t')
      ++pos_;
    x = Val(std::string_view(cur_).substr(start, pos_ - start));
    while (pos_ < cur_.size() && (cur_[pos_] == ' ' || cur_[pos_] == '\t')) ++pos_;
    if (pos_ < cur_.size() && cur_[pos_] == ',') ++pos_;
  }
  if (pos_ >= cur_.size()) have_ = false;  // the item ended the line: its end is consumed
  return true;
}

double LineReader::inputNumber() {
  double x = 0;
  if (!tryInputNumber(x)) throw BasicError{62};
  return x;
}

}  // namespace kel
