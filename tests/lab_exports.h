#pragma once
// Lists as labs, spreadsheets and schools save them, each with the true
// lenses of its data rows, and the judge of toric-combine's answer to one.
// A list is made from independent features: titles, a header in 0, 1 or 2
// rows in one of the languages and forms people write, the columns in their
// order with what else a lab keeps beside the lenses, the notation of each
// lens, the separator and decimal mark, quoting, line ends, the encoding.

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace toric::test {

struct LabExport {
  std::string bytes;     // the file as saved
  std::string expected;  // toric-combine --plain's whole answer, in UTF-8
  // Each record's answer as the reader should give it, and whether it is
  // a data row (whose answer is a result).
  struct Record {
    std::string answer;
    std::string end;
    bool data = false;
  };
  std::vector<Record> records;
  // What --check should name: the header's lines (0 for none) and the
  // lenses' columns, counted from 1.
  int header_first = 0, header_last = 0;
  std::string lens1_columns, lens2_columns;
  bool cylinders = false;  // some data row has one
  std::string features;    // what it was made of, for a report
};

LabExport make_lab_export(std::mt19937_64& random);

// toric-combine's answer to a list on its standard input.
struct Answer {
  int status;
  std::string out, errors;
};
// Runs toric-combine in this process, in scratch files of its own that
// it keeps from one list to the next.
class ListRunner {
 public:
  ListRunner();
  ~ListRunner();
  ListRunner(const ListRunner&) = delete;
  ListRunner& operator=(const ListRunner&) = delete;
  Answer run(const std::vector<std::string>& args, const std::string& input);

 private:
  std::FILE* files_[3];
};

// `lists` lists from `seed`, each also run with --check where it is read:
// how many were read (status 0), had rows refused (1) or were refused
// whole (2), and the wrong answers, each with the list that gave it (the
// first `shown` of them).
struct SoakResult {
  long statuses[3] = {0, 0, 0};
  long wrong = 0;
  std::vector<std::string> shown;
  std::vector<std::string> refusals;  // the first reasons, as a sample
};
SoakResult run_lab_exports(std::uint64_t seed, long lists,
                           std::size_t shown = 1);

// What is wrong with toric-combine's answer, or "" where it is right:
// status 0 with every data row's result and every other row as it came;
// status 1 or 2 with a reason, and no result but the right one anywhere.
std::string judged(const LabExport& list, int status, const std::string& out,
                   const std::string& errors);

// What is wrong with --check's report of a list read with status 0.
std::string check_judged(const LabExport& list, const std::string& report);

// The bytes as a C++ literal, for a report and a row of the command tests.
std::string as_literal(const std::string& bytes);

}  // namespace toric::test
