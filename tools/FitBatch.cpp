#include "FitBatch.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>

#include "FitOutput.h"
#include "FloatErrors.h"
#include "NumberText.h"

namespace {

// [SECTION] Reading records

// One record of the file and the lines it spans.
struct TRecord {
  std::vector<std::string> Fields;
  std::size_t FirstLine = 0;
  std::size_t LastLine = 0;
};

// A CSV file that cannot be read on; the batch stops with status 2.
class EMalformedFile : public std::runtime_error {
 public:
  EMalformedFile(std::size_t line, const std::string& message)
      : std::runtime_error(message), Line(line) {}
  std::size_t Line;
};

// libcsv's strict parser, fed one line at a time so that every record knows its lines.
class TCsvRecords {
 public:
  explicit TCsvRecords(std::istream& in) : In_(in) {
    if (csv_init(&Parser_, CSV_STRICT | CSV_STRICT_FINI) != 0)
      throw std::bad_alloc();
  }
  ~TCsvRecords() { csv_free(&Parser_); }
  TCsvRecords(const TCsvRecords&) = delete;
  TCsvRecords& operator=(const TCsvRecords&) = delete;

  // The next record, or nothing at the end of the input.
  std::optional<TRecord> Next() {
    while (Ready_.empty() && !Finished_)
      FeedLine();
    if (Ready_.empty())
      return std::nullopt;
    TRecord record = std::move(Ready_.front());
    Ready_.pop_front();
    return record;
  }

 private:
  // libcsv's state before any character of a record has been seen.
  static constexpr int kRowNotBegun = 0;

  static void OnField(void* text, std::size_t size, void* self) {
    auto& records = *static_cast<TCsvRecords*>(self);
    records.Current_.Fields.emplace_back(static_cast<const char*>(text), size);
  }
  static void OnRecordEnd(int, void* self) {
    auto& records = *static_cast<TCsvRecords*>(self);
    records.Current_.LastLine = records.Line_;
    records.Ready_.push_back(std::move(records.Current_));
    records.Current_ = TRecord{};
  }

  void FeedLine() {
    if (!std::getline(In_, Text_)) {
      Finished_ = true;
      if (csv_fini(&Parser_, OnField, OnRecordEnd, this) != 0) {
        throw EMalformedFile(Current_.FirstLine,
                             "a quoted field is not closed: the file ends inside it. Close it "
                             "with a \" (a quote inside a field is written twice: \"\").");
      }
      return;
    }
    ++Line_;
    if (Line_ == 1 && Text_.starts_with("\xEF\xBB\xBF"))
      Text_.erase(0, 3);
    Text_ += '\n';
    if (Parser_.pstate == kRowNotBegun)
      Current_.FirstLine = Line_;
    if (csv_parse(&Parser_, Text_.data(), Text_.size(), OnField, OnRecordEnd, this) !=
        Text_.size()) {
      if (csv_error(&Parser_) == CSV_EPARSE) {
        throw EMalformedFile(Line_,
                             "a quote stands inside a field that is not quoted, or after the "
                             "closing quote of one. Quote the whole field and write a quote "
                             "inside it twice: \"6.5 \"\"low\"\"\".");
      }
      throw std::bad_alloc();
    }
  }

  std::istream& In_;
  csv_parser Parser_{};
  std::string Text_;
  std::size_t Line_ = 0;
  bool Finished_ = false;
  TRecord Current_;
  std::deque<TRecord> Ready_;
};

// [SECTION] Columns

enum class TColumn { Name, Ap, P, M, Br, R, N, Xs, S, Credibility, Count };

constexpr std::array<std::string_view, static_cast<std::size_t>(TColumn::Count)> kColumnNames{
    "name", "ap", "p", "m", "br", "r", "n", "xs", "s", "credibility"};

// Where each known column stands in the records, from the header.
struct THeader {
  std::array<std::optional<std::size_t>, static_cast<std::size_t>(TColumn::Count)> Index;
  std::size_t FieldCount = 0;

  const std::optional<std::size_t>& operator[](TColumn c) const {
    return Index[static_cast<std::size_t>(c)];
  }
};

THeader ReadHeader(const TRecord& record) {
  THeader header;
  header.FieldCount = record.Fields.size();
  for (std::size_t i = 0; i < record.Fields.size(); ++i) {
    const std::string& field = record.Fields[i];
    std::size_t known = 0;
    while (known < kColumnNames.size() && kColumnNames[known] != field)
      ++known;
    if (known == kColumnNames.size()) {
      throw EMalformedFile(record.FirstLine,
                           "the header names a column " + QuotedText(field) +
                               ", which is not one of name, ap, p, m, br, r, n, xs, s, "
                               "credibility.");
    }
    if (header.Index[known]) {
      throw EMalformedFile(record.FirstLine,
                           "the header names the column " + QuotedText(field) + " twice.");
    }
    header.Index[known] = i;
  }
  for (const TColumn c : {TColumn::Ap, TColumn::P, TColumn::M, TColumn::Br, TColumn::R}) {
    if (!header[c]) {
      throw EMalformedFile(record.FirstLine,
                           "the header has no column \"" +
                               std::string(kColumnNames[static_cast<std::size_t>(c)]) +
                               "\": name the columns ap, p, m, br, r and n (or xs and s).");
    }
  }
  if (!header[TColumn::N] && !(header[TColumn::Xs] && header[TColumn::S])) {
    throw EMalformedFile(record.FirstLine,
                         "the header has neither a column \"n\" nor the columns \"xs\" and "
                         "\"s\": name the one or the other.");
  }
  return header;
}

// A row's cell, or nothing when the header has no such column.
std::optional<std::string_view> Cell(const THeader& header, const TRecord& record, TColumn c) {
  if (const auto& index = header[c])
    return std::string_view(record.Fields[*index]);
  return std::nullopt;
}

bool Filled(const std::optional<std::string_view>& cell) {
  return cell && !cell->empty();
}

// The request of one row; a cell that cannot be used raises EUsageError.
TFitRequest RowRequest(const THeader& header, const TRecord& record, const TBatchOptions& options) {
  TFitRequest request;
  request.SetCredibility(options.Credibility);
  request.Quantiles = options.Quantiles;
  request.Probes = options.Probes;
  const auto text = [&](TColumn c) { return std::string(*Cell(header, record, c)); };
  request.Type(NumberField::LowerQuantile, text(TColumn::Ap));
  request.Type(NumberField::ModeValue, text(TColumn::M));
  request.Type(NumberField::UpperQuantile, text(TColumn::Br));
  request.SetLevel(LevelField::Lower, ReadLevel("p", *Cell(header, record, TColumn::P)));
  request.SetLevel(LevelField::Upper, ReadLevel("r", *Cell(header, record, TColumn::R)));
  const auto n = Cell(header, record, TColumn::N);
  const auto xs = Cell(header, record, TColumn::Xs);
  if (Filled(n) && Filled(xs))
    throw EUsageError("The row gives both n and xs: leave one of them empty.");
  if (Filled(n)) {
    request.Type(NumberField::Power, std::string(*n));
  } else if (Filled(xs)) {
    request.SetMode(FitMode::ExtraQuantile);
    request.Type(NumberField::ExtraQuantile, std::string(*xs));
    request.SetLevel(LevelField::Extra, ReadLevel("s", *Cell(header, record, TColumn::S)));
  } else {
    throw EUsageError("The row gives neither n nor xs: fill n, or xs and s.");
  }
  const auto credibility = Cell(header, record, TColumn::Credibility);
  if (Filled(credibility))
    request.SetCredibility(ReadCredibilityLevel("credibility", *credibility));
  return request;
}

// [SECTION] Writing rows

constexpr std::string_view kBatchRemedy =
    "Fit the row on its own, without --json, to read them as number text, or express the "
    "quantity in another unit.";

// A field as a CSV writer quotes it: in quotes, with quotes doubled, when it holds a
// comma, a quote, a line end or blanks at an end.
std::string CsvField(std::string_view text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!text.empty() && (text.front() == ' ' || text.front() == '\t' ||
                                        text.back() == ' ' || text.back() == '\t'));
  if (!quote)
    return std::string(text);
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"')
      out += '"';
    out += c;
  }
  return out + '"';
}

// A double as JSON writes it: the shortest text that reads back as the same double.
std::string CsvNumber(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

void WriteCsvHeader(std::ostream& out, const TBatchOptions& options) {
  out << "name";
  for (const std::string_view key : kFigureKeys)
    out << ',' << key;
  // Every power that fits x_s, ascending and blank-separated, in additional-quantile rows.
  out << ",powers";
  for (const TQuantileLevel& level : options.Quantiles)
    out << ',' << CsvField("quantile_" + level.Text);
  for (const TProbePoint& probe : options.Probes)
    out << ',' << CsvField("probability_" + probe.Text);
  out << ",error\r\n";
}

// A row of the CSV output: the figures the row has, empty fields for the others, and the
// error of a row that could not be fitted.
void WriteCsvRow(std::ostream& out, std::string_view name, const TBatchOptions& options,
                 const TFigureValues& values, const std::string& error) {
  out << CsvField(name);
  const auto field = [&out](const std::optional<double>& value) {
    out << ',';
    if (value)
      out << CsvNumber(*value);
  };
  for (const std::optional<double>& figure : values.Figures)
    field(figure);
  out << ',';
  if (values.Powers) {
    std::string powers;
    // Appended piece by piece: GCC 12 at -O3 warns falsely on "" + std::string here.
    for (const double n : *values.Powers) {
      if (!powers.empty())
        powers += ' ';
      powers += CsvNumber(n);
    }
    out << CsvField(powers);
  }
  const auto listed = [](const std::vector<double>& list, std::size_t i) {
    return i < list.size() ? std::optional<double>(list[i]) : std::nullopt;
  };
  for (std::size_t i = 0; i < options.Quantiles.size(); ++i)
    field(listed(values.Quantiles, i));
  for (std::size_t i = 0; i < options.Probes.size(); ++i)
    field(listed(values.Probabilities, i));
  out << ',' << CsvField(error) << "\r\n";
}

// [SECTION] Fitting rows on every processor

// One row of the file on its way through the batch: read, fitted, written.
struct TBatchRow {
  TRecord Record;
  std::string Text;          // what the row writes to the output
  std::string Warnings;      // what it writes to the messages
  bool Failed = false;       // the row could not be fitted
  std::exception_ptr Error;  // what the fit raised beyond a refusal of the row
};

// Fits one row into its texts, as a single fit of the same judgements would fit it.
void FitRow(const THeader& header, const TBatchOptions& options, TBatchRow& row) {
  const TRecord& record = row.Record;
  const std::size_t line = record.FirstLine;
  const std::string name(Cell(header, record, TColumn::Name).value_or(""));
  // The figures of a fit, or the error with what the checks found before it.
  TFigureValues values;
  nlohmann::ordered_json json = nlohmann::ordered_json::object();
  std::string error;
  std::ostringstream warnings;
  try {
    const TFitRequest request = RowRequest(header, record, options);
    const TFitResult result = FitRequest(request);
    for (const std::string& warning : result.Warnings)
      warnings << "morvane-fit: line " << line << ": Warning: " << warning << "\n";
    values = FigureValues(result, kBatchRemedy);
    if (options.Json)
      json = FitJson(request, result, kBatchRemedy);
    error = result.Refusal();
  } catch (const EFitError& e) {
    values = TFigureValues{};
    error = e.what();
  } catch (const EMathError& e) {
    values = TFigureValues{};
    error = e.what();
  } catch (const EUsageError& e) {
    values = TFigureValues{};
    error = e.what();
  }
  row.Failed = !error.empty();
  row.Warnings = warnings.str();
  std::ostringstream text;
  if (options.Json) {
    nlohmann::ordered_json out = {{"line", line}, {"name", EscapedText(name)}};
    if (error.empty() || json.contains("error")) {
      out.update(json);
    } else {
      out["error"] = error;
    }
    text << JsonText(out) << "\n";
  } else {
    WriteCsvRow(text, name, options, values, error);
  }
  row.Text = text.str();
}

// The rows between the reader and the writer: the reading thread hands rows in, in input
// order; worker threads fit them in any order; a writing thread writes each row once it
// and every row before it are fitted. Rows travel in runs of a few, so that the threads
// meet once a run rather than once a row. At most a fixed number of runs wait at once, so
// that memory does not grow with the file. The destructor ends the batch: it writes every
// row handed in, then joins the threads.
class TRowPipeline {
 public:
  TRowPipeline(const THeader& header, const TBatchOptions& options, std::ostream& out,
               std::ostream& messages)
      : Header_(header), Options_(options), Out_(out), Messages_(messages) {
    const int jobs = std::max(options.Jobs, 1);
    Capacity_ = static_cast<std::size_t>(jobs) * kRunsPerWorker;
    Reading_.reserve(kRowsPerRun);
    try {
      Writer_ = std::thread([this] { WriteRuns(); });
      for (int i = 0; i < jobs; ++i)
        Workers_.emplace_back([this] { FitRuns(); });
    } catch (...) {
      Finish();
      throw;
    }
  }
  ~TRowPipeline() { Finish(); }
  TRowPipeline(const TRowPipeline&) = delete;
  TRowPipeline& operator=(const TRowPipeline&) = delete;

  // Hands a row in; waits while the queue is full. False once the batch has stopped on an
  // error (Finish rethrows it).
  bool Add(TRecord record) {
    Reading_.emplace_back().Record = std::move(record);
    return Reading_.size() < kRowsPerRun || HandIn();
  }

  // Hands in the rows read so far, when the input has no more at hand: rows that come
  // slowly are fitted as they come, not once sixteen have come. False as Add.
  bool HandInWaiting() { return Reading_.empty() || HandIn(); }

  // Writes every row handed in and joins the threads; then Error holds what a row's fit
  // raised beyond a refusal of the row, if anything did.
  void Finish() {
    if (!Reading_.empty())
      HandIn();
    {
      std::lock_guard lock(Mutex_);
      if (Finished_)
        return;
      Finished_ = true;
      Ended_ = true;
    }
    WorkReady_.notify_all();
    Progress_.notify_all();
    if (Writer_.joinable())
      Writer_.join();
    {
      std::lock_guard lock(Mutex_);
      Stopped_ = true;
    }
    WorkReady_.notify_all();
    for (std::thread& worker : Workers_)
      worker.join();
  }

  bool AnyFailed() const { return AnyFailed_; }
  std::exception_ptr Error() const { return Error_; }

 private:
  // Rows in a run: enough that meeting costs little beside fitting them, few enough that
  // every worker has runs to take in a batch of some hundred rows.
  static constexpr std::size_t kRowsPerRun = 16;
  // Runs waiting per worker thread: enough that no worker waits on a slow run before it.
  static constexpr std::size_t kRunsPerWorker = 4;

  struct TRun {
    std::vector<TBatchRow> Rows;
    bool Fitted = false;  // every row's texts are complete
  };

  // Hands the rows read so far in as one run; waits while the queue is full.
  bool HandIn() {
    auto run = std::make_unique<TRun>();
    run->Rows = std::move(Reading_);
    Reading_.clear();
    Reading_.reserve(kRowsPerRun);
    std::unique_lock lock(Mutex_);
    Progress_.wait(lock, [this] { return Runs_.size() < Capacity_ || Stopped_; });
    if (Stopped_ || Finished_)
      return false;
    Runs_.push_back(std::move(run));
    WorkReady_.notify_one();
    return true;
  }

  void FitRuns() {
    fpu::EnsureExtendedControlWord();
    std::unique_lock lock(Mutex_);
    for (;;) {
      WorkReady_.wait(lock, [this] { return NextToFit_ < Runs_.size() || Stopped_ || Ended_; });
      // Stopped, or ended with every run taken.
      if (Stopped_ || NextToFit_ >= Runs_.size())
        return;
      TRun& run = *Runs_[NextToFit_++];
      lock.unlock();
      for (TBatchRow& row : run.Rows) {
        try {
          FitRow(Header_, Options_, row);
        } catch (...) {
          row.Error = std::current_exception();
          break;
        }
      }
      lock.lock();
      run.Fitted = true;
      if (&run == Runs_.front().get())
        Progress_.notify_all();
    }
  }

  void WriteRuns() {
    std::unique_lock lock(Mutex_);
    for (;;) {
      Progress_.wait(lock, [this] {
        return (!Runs_.empty() && Runs_.front()->Fitted) || (Ended_ && Runs_.empty()) || Stopped_;
      });
      if (Runs_.empty() || !Runs_.front()->Fitted)
        return;
      const std::unique_ptr<TRun> run = std::move(Runs_.front());
      Runs_.pop_front();
      --NextToFit_;
      // The reader waits for room.
      Progress_.notify_all();
      lock.unlock();
      for (const TBatchRow& row : run->Rows) {
        if (row.Error) {
          Stop(row.Error);
          return;
        }
        Messages_ << row.Warnings;
        Out_ << row.Text;
        AnyFailed_ = AnyFailed_ || row.Failed;
      }
      lock.lock();
    }
  }

  // Stops the batch on an error beyond a refusal of a row: no row after it is written.
  void Stop(std::exception_ptr error) {
    {
      std::lock_guard lock(Mutex_);
      Stopped_ = true;
      Error_ = error;
    }
    WorkReady_.notify_all();
    Progress_.notify_all();
  }

  const THeader& Header_;
  const TBatchOptions& Options_;
  std::ostream& Out_;
  std::ostream& Messages_;
  std::size_t Capacity_ = 0;
  std::vector<TBatchRow> Reading_;  // the reader's rows not yet handed in, in input order

  std::mutex Mutex_;
  std::condition_variable WorkReady_;       // a run to fit, or the end
  std::condition_variable Progress_;        // the first run fitted, room for a run, or the end
  std::deque<std::unique_ptr<TRun>> Runs_;  // in input order, the first one next to write
  std::size_t NextToFit_ = 0;               // the first run of Runs_ no worker has taken
  bool Ended_ = false;                      // no run will be handed in
  bool Stopped_ = false;                    // no row will be fitted or written
  bool Finished_ = false;
  bool AnyFailed_ = false;    // written by the writer alone, read after it has joined
  std::exception_ptr Error_;  // likewise

  std::thread Writer_;
  std::vector<std::thread> Workers_;
};

}  // namespace

int DefaultBatchJobs() {
  return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1U, 256U));
}

int RunBatch(std::istream& in, std::ostream& out, std::ostream& messages,
             const TBatchOptions& options) {
  std::optional<THeader> header;
  std::optional<TRowPipeline> rows;
  // Every row read is written before the message of a fault that follows it.
  const auto finish = [&] {
    if (!rows)
      return false;
    rows->Finish();
    if (rows->Error())
      std::rethrow_exception(rows->Error());
    return rows->AnyFailed();
  };
  try {
    TCsvRecords records(in);
    const std::optional<TRecord> first = records.Next();
    if (!first)
      throw EMalformedFile(1, "the file is empty: its first line names the columns.");
    header = ReadHeader(*first);
    if (!options.Json)
      WriteCsvHeader(out, options);
    rows.emplace(*header, options, out, messages);
    while (std::optional<TRecord> record = records.Next()) {
      // A line of blanks only: a CSV reader skips it.
      if (record->Fields.size() == 1 && record->Fields[0].empty() && header->FieldCount > 1)
        continue;
      if (record->Fields.size() != header->FieldCount) {
        throw EMalformedFile(record->FirstLine,
                             "the row has " + std::to_string(record->Fields.size()) +
                                 " fields, but the header names " +
                                 std::to_string(header->FieldCount) + " columns.");
      }
      if (!rows->Add(std::move(*record)))
        break;
      if (in.rdbuf()->in_avail() <= 0 && !rows->HandInWaiting())
        break;
    }
  } catch (const EMalformedFile& e) {
    finish();
    out.flush();
    messages << "morvane-fit: line " << e.Line << ": " << e.what() << "\n";
    return 2;
  }
  return finish() ? 1 : 0;
}
