// The fixed-column record layer: every file that genodrop, traitsim, famlint and xp-loci
// read or write, and every console message they print, goes through here.
//
// A layout string such as "(6i5,a12)" drives each read and write. Layouts may come from data
// files (the chromosome file carries three), so a malformed one is refused with the
// "error in format" diagnostic rather than trusted.
//
// Faults of reading and writing (end of file, an unexpected character in a field, a malformed
// layout, a file that cannot be read or written) end the run here: four diagnostic lines on
// standard error, every open file flushed and closed, then the abort signal. Callers never see
// such a fault returned; what they get back has always been read in full. The lines are
//   formatted read at line 3: read unexpected character     (or: end of file, error in format,
//                                                             can't read file (<system reason>))
//   apparent state: unit 10 named pe2.wrk
//   last format: (6i5,a12)
//   lately reading sequential formatted external IO
// with "formatted write", "open" or "close" as the step and "writing" in the last line for
// faults of writing. A write that fails (a full disk, say; or an output that cannot be created
// for want of room) prints the same lines but then removes the outputs written together and
// ends through the fatal stop with "<program>: cannot write <file>: <system reason>" and
// status 1 (see write_fault in diagnostic.hpp). Own reasons beside the usual ones: "layout item of the wrong kind for the
// list item", "integer too large for its variable", "real too large for its variable", "line
// longer than 16777216 columns".
//
// Layouts: I, F/E/D/G (input), F/E/D (output), A, X, slash, quoted and nH texts, nested
// groups, and also T/TL/TR, colon, BN/BZ, S/SP/SS and Iw.m, Ew.dEe; kP scales input only.
// Commas separate items except beside a slash or colon and after kP. A read goes on past its
// last list item through slashes and skips up to the next data item, as a write does.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace records {

// A text variable of fixed length N, padded with blanks on the right: locus and individual
// names are Text<12>, file names and whole lines Text<255>.
template <std::size_t N>
struct Text {
  std::array<char, N> chars;

  Text() { chars.fill(' '); }
  // Takes the first N characters of `s`, padding with blanks.
  explicit Text(std::string_view s) : Text() {
    for (std::size_t i = 0; i < s.size() && i < N; ++i) chars[i] = s[i];
  }
  std::string_view view() const { return {chars.data(), N}; }
  // The text without its trailing blanks.
  std::string_view trimmed() const {
    std::size_t n = N;
    while (n > 0 && chars[n - 1] == ' ') --n;
    return {chars.data(), n};
  }
  friend bool operator==(const Text&, const Text&) = default;
};

enum class Mode { read, write };

// A file open in the record layer. The layer keeps every open file in one registry so that
// the read diagnostic can flush and close them all before the abort.
class File;

// Units: the number a caller gives open() only names the file in the diagnostic. genodrop
// numbers its files 1 to 4 (chromosome, pedigree, genotype and trace file); traitsim, famlint
// and xp-loci number theirs from 10 up (famlint's one file is 10); the console (messages) is
// unit 6 and never appears in a diagnostic.
//
// Opens the file `name` (trailing blanks removed) as unit number `unit`; the unit appears in
// the diagnostic's "apparent state" line. For reading, a missing file is created empty, so the
// first read from it ends with the end-of-file diagnostic. For writing, an existing file is
// written from its start and cut after the last written line when it is closed. A file that
// cannot be opened at all ends the run through the diagnostic. The File stays valid until
// close().
File& open(int unit, std::string_view name, Mode mode);

// Flushes and closes `file`; it must not be used afterwards. A file that cannot be written out
// ends the run as a failed write (step "close").
void close(File& file);

// Flushes and closes every file still open, ignoring faults; for ends of the run other than
// the diagnostic (the fatal stop). Returns false when some file could not be written out.
bool close_all();

// One formatted read. It begins at column 1 of the next line of `file`; every call takes the
// next list item under `layout` (moving to further lines on a slash or when the layout
// restarts); end(), which every record needs, acts on the slashes before the next data item and
// leaves the rest of the current line, so the next read starts on a fresh line. A read with no
// list item still consumes one line.
class Reader {
 public:
  Reader(File& file, std::string_view layout);
  // Does no I/O: a record is ended by end() alone. A Reader dropped without end() leaves the
  // slashes after its last list item unread; the next Reader starts on the next line anyway.
  ~Reader();
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  Reader& operator()(std::int32_t& value);  // under I
  Reader& operator()(float& value);         // under F, E, D or G
  Reader& operator()(double& value);        // under F, E, D or G
  Reader& operator()(std::span<char> text); // under A; the span's size is the variable's length
  template <std::size_t N>
  Reader& operator()(Text<N>& text) { return (*this)(std::span<char>(text.chars)); }
  // A list of reals: the same as reading them one by one, faster under a repeated item.
  Reader& operator()(std::span<float> values);
  void end();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// One formatted write of one or more whole lines. Every call writes the next list item under
// `layout`; end(), which every record needs, writes the quoted texts and slashes that stand
// before the next data item, then ends the last line. X items only move the write position: blanks appear only when a
// later item writes on the same line. A value that does not fit its field is written as
// asterisks.
class Writer {
 public:
  Writer(File& file, std::string_view layout);
  // Does no I/O: a record is ended by end() alone. The line a Writer dropped without end() was
  // building is never written (so a fault in mid-record leaves only whole lines behind).
  ~Writer();
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  Writer& operator()(std::int32_t value);    // under I
  Writer& operator()(float value);           // under F or E
  Writer& operator()(double value);          // under F or E
  Writer& operator()(std::string_view text); // under A
  template <std::size_t N>
  Writer& operator()(const Text<N>& text) { return (*this)(text.view()); }
  // Array sections: every element in turn, as that many calls would write them, but with the
  // walk through the layout done once for each run of a repeated item ("1000i6").
  Writer& operator()(std::span<const std::int32_t> values);
  Writer& operator()(std::span<const float> values);
  void end();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// One item of a console message: a text (written as it is, trailing blanks included), an
// integer (written as a blank and its digits) or a real (written as a blank and the shortest
// decimal that reads back as the same float: " 0.5", " -2", " 1e+10").
struct MessageItem {
  enum class Kind { text, integer, real } kind;
  std::string_view text{};
  std::int32_t integer = 0;
  float real = 0.0f;

  MessageItem(std::string_view t) : kind(Kind::text), text(t) {}
  MessageItem(const char* t) : kind(Kind::text), text(t) {}
  MessageItem(const std::string& t) : kind(Kind::text), text(t) {}
  template <std::size_t N>
  MessageItem(const Text<N>& t) : kind(Kind::text), text(t.view()) {}
  MessageItem(std::int32_t i) : kind(Kind::integer), integer(i) {}
  MessageItem(float r) : kind(Kind::real), real(r) {}
};

// Prints one console message on standard output: one leading blank, then the items; before an
// item that would reach column 80 the line is ended and the item starts a new line (never at
// the start of a line). Ends with a newline.
void message(std::initializer_list<MessageItem> items);

}  // namespace records
