#include "driver/season_commit.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <future>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "driver/file_system.h"
#include "driver/run_failure.h"
#include "driver/second_thread.h"

namespace shootout {

namespace {

constexpr const char* kSeasonNames[] = {"boxscores.lgs", "schedule.lgs",
                                        "reports.lgs", "teams.lgs"};
constexpr const char* kJournalHeader = "shootout update";

// A 64-bit hash of a file's bytes, fed in pieces of any size: tells a
// complete new file from a cut or stale one. Four lanes of 8 bytes each are
// mixed independently, so the processor works on them side by side.
class ContentHash {
 public:
  void add(std::string_view bytes) {
    size_ += bytes.size();
    if (pending_size_ > 0) {
      const std::size_t take = std::min(kBlock - pending_size_, bytes.size());
      std::memcpy(pending_ + pending_size_, bytes.data(), take);
      pending_size_ += take;
      bytes.remove_prefix(take);
      if (pending_size_ < kBlock) return;
      mix_block(pending_);
      pending_size_ = 0;
    }
    for (; bytes.size() >= kBlock; bytes.remove_prefix(kBlock)) mix_block(bytes.data());
    if (!bytes.empty()) std::memcpy(pending_, bytes.data(), bytes.size());
    pending_size_ = bytes.size();
  }
  std::uint64_t value() const {
    ContentHash last = *this;
    std::memset(last.pending_ + last.pending_size_, 0, kBlock - last.pending_size_);
    last.mix_block(last.pending_);
    std::uint64_t value = size_;
    for (std::uint64_t lane : last.lanes_) value = mix(value ^ lane);
    return value;
  }
  std::uint64_t size() const { return size_; }

 private:
  static constexpr std::size_t kBlock = 32;
  static std::uint64_t mix(std::uint64_t value) {
    value *= 0x9e3779b97f4a7c15ULL;
    return value ^ (value >> 29);
  }
  void mix_block(const char* block) {
    for (std::size_t lane = 0; lane < 4; ++lane) {
      std::uint64_t word;
      std::memcpy(&word, block + 8 * lane, 8);
      lanes_[lane] = mix(lanes_[lane] ^ word);
    }
  }

  std::uint64_t lanes_[4] = {0xcbf29ce484222325ULL, 0x84222325cbf29ce4ULL,
                             0x100000001b3ULL, 0x1b300000001ULL};
  char pending_[kBlock] = {};
  std::size_t pending_size_ = 0;
  std::uint64_t size_ = 0;
};

// The list's texts as few pieces as possible: lines that stand one after
// another in the loaded file are one piece.
std::vector<std::string_view> pieces_of(const LineList& list) {
  std::vector<std::string_view> pieces;
  pieces.reserve(list.size());
  for (const LineNode* n = list.head(); n != nullptr; n = n->next) {
    if (!pieces.empty() && pieces.back().data() + pieces.back().size() == n->text.data()) {
      pieces.back() = std::string_view(pieces.back().data(), pieces.back().size() + n->text.size());
    } else {
      pieces.push_back(n->text);
    }
  }
  return pieces;
}

struct JournalEntry {
  std::string name;
  std::uint64_t size = 0;
  std::uint64_t hash = 0;
};

std::filesystem::path new_file_path(const std::filesystem::path& folder,
                                    const std::string& name) {
  return folder / (name + kNewFileSuffix);
}

void check(int error, const std::string& name, const char* what,
           const char* note = "") {
  if (error != 0) abort_io(name, what, error, note);
}

std::string journal_text(const std::vector<JournalEntry>& entries) {
  std::ostringstream out;
  out << kJournalHeader << "\n";
  for (const JournalEntry& e : entries) {
    out << e.name << " " << e.size << " " << std::hex << e.hash << std::dec
        << "\n";
  }
  out << "end\n";
  return out.str();
}

// A journal names only season files, in full; anything else is no journal.
std::optional<std::vector<JournalEntry>> parse_journal(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != kJournalHeader) return std::nullopt;
  std::vector<JournalEntry> entries;
  while (std::getline(in, line)) {
    if (line == "end") return entries;
    std::istringstream fields(line);
    JournalEntry e;
    if (!(fields >> e.name >> e.size >> std::hex >> e.hash)) return std::nullopt;
    bool known = false;
    for (const char* name : kSeasonNames) known = known || e.name == name;
    if (!known) return std::nullopt;
    entries.push_back(e);
  }
  return std::nullopt;
}

std::optional<std::string> read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string content((std::istreambuf_iterator<char>(in)), {});
  if (in.bad()) return std::nullopt;
  return content;
}

bool holds(const std::filesystem::path& path, const JournalEntry& e) {
  const std::optional<std::string> content = read_file(path);
  if (!content) return false;
  ContentHash hash;
  hash.add(*content);
  return hash.size() == e.size && hash.value() == e.hash;
}

// Renames the journal's new files over their originals, then removes the
// journal. `pending` says which entries still have a new file to rename.
void apply_journal(const std::filesystem::path& folder,
                   const std::vector<JournalEntry>& entries,
                   const std::vector<bool>& pending) {
  const char* retry = " (the next run completes the update)";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!pending[i]) continue;
    check(replace_file(new_file_path(folder, entries[i].name),
                       folder / entries[i].name),
          entries[i].name, "rename", retry);
  }
  check(sync_folder(folder), kJournalFile, "sync", retry);
  check(remove_file(folder / kJournalFile), kJournalFile, "remove", retry);
  // Best effort: should the removal be lost, the journal comes back naming
  // files that already hold their new content, and the next run just
  // removes it again.
  sync_folder(folder);
}

// A kept file's new version, complete and synced beside the season file
// (removed again unless the update commits), and its journal entry.
struct WrittenFile {
  std::unique_ptr<NewFile> file;
  JournalEntry entry;
};

WrittenFile write_new_file(const std::filesystem::path& folder, const KeptFile& kept) {
  WrittenFile out{std::make_unique<NewFile>(new_file_path(folder, kept.name), folder / kept.name),
                  {}};
  check(out.file->error(), kept.name, "create");
  const std::vector<std::string_view> pieces = pieces_of(*kept.list);
  ContentHash hash;
  for (std::string_view piece : pieces) hash.add(piece);
  if (!out.file->write(pieces) || !out.file->finish()) {
    abort_io(kept.name, "write", out.file->error());
  }
  out.entry = {kept.name, hash.size(), hash.value()};
  return out;
}

std::size_t text_size(const LineList& list) {
  std::size_t size = 0;
  for (const LineNode* n = list.head(); n != nullptr; n = n->next) size += n->text.size();
  return size;
}

void remove_leftovers(const std::filesystem::path& folder) {
  for (const char* name : kSeasonNames) remove_file(new_file_path(folder, name));
  remove_file(new_file_path(folder, kJournalFile));
}

}  // namespace

void commit_season(const std::filesystem::path& folder, const std::vector<KeptFile>& files,
                   std::ostream& console) {
  // The largest file is written on a second thread while this one writes
  // the others: while one file is synced, the next is being written.
  const auto largest = std::max_element(files.begin(), files.end(),
                                        [](const KeptFile& a, const KeptFile& b) {
                                          return text_size(*a.list) < text_size(*b.list);
                                        });
  std::future<WrittenFile> started;
  if (largest != files.end()) {
    started = on_second_thread([&folder, file = *largest] { return write_new_file(folder, file); });
  }
  // On a failure, the file of the second thread is waited for, and every new
  // file goes again.
  std::vector<WrittenFile> written;
  std::vector<JournalEntry> entries;
  for (auto file = files.begin(); file != files.end(); ++file) {
    console << "Updating " << file->name << "\n";
    written.push_back(file == largest ? started.get() : write_new_file(folder, *file));
    entries.push_back(written.back().entry);
  }

  NewFile journal(new_file_path(folder, kJournalFile), folder / kJournalFile);
  check(journal.error(), kJournalFile, "create");
  if (!journal.write(journal_text(entries)) || !journal.finish()) {
    abort_io(kJournalFile, "write", journal.error());
  }
  check(replace_file(journal.path(), folder / kJournalFile), kJournalFile, "rename");
  journal.keep();
  // Once the journal is durable the update is committed: the new files must
  // stay, whatever happens next, so that it can be completed.
  if (const int error = sync_folder(folder); error != 0) {
    remove_file(folder / kJournalFile);
    abort_io(kJournalFile, "sync", error);
  }
  for (WrittenFile& out : written) out.file->keep();
  apply_journal(folder, entries, std::vector<bool>(entries.size(), true));
}

void recover_season(const std::filesystem::path& folder, std::ostream& console) {
  const std::optional<std::string> text = read_file(folder / kJournalFile);
  if (text) {
    std::optional<std::vector<JournalEntry>> entries = parse_journal(*text);
    std::vector<bool> pending;
    bool complete = entries.has_value();
    for (std::size_t i = 0; complete && i < entries->size(); ++i) {
      const JournalEntry& e = (*entries)[i];
      pending.push_back(holds(new_file_path(folder, e.name), e));
      complete = pending.back() || holds(folder / e.name, e);
    }
    if (complete) {
      apply_journal(folder, *entries, pending);
      console << "Completed an interrupted update of the season files.\n";
    } else {
      remove_leftovers(folder);
      check(remove_file(folder / kJournalFile), kJournalFile, "remove");
      check(sync_folder(folder), kJournalFile, "sync");
      console << "Discarded an incomplete update of the season files.\n";
    }
  }
  remove_leftovers(folder);
}

}  // namespace shootout
