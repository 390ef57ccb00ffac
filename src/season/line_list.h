#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>

#include "season/large_block.h"
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace shootout {

// Whole lines of a season file, line ends included (the file's last line
// may have none): one line, or a run of lines that nothing needed to tell
// apart. The text lives in the list's storage. Nodes never move and are
// never removed, so other records may hold plain pointers to them.
struct LineNode {
  std::string_view text;
  LineNode* next;
};

// A season file held as a chain of lines. The list owns the file's content,
// its nodes and every text put into it since; writing the texts of all nodes
// in order reproduces the file with its changes.
class LineList {
 public:
  LineList() = default;
  LineList(const LineList&) = delete;
  LineList& operator=(const LineList&) = delete;

  LineNode* head() const { return head_; }
  LineNode* tail() const { return tail_; }
  bool empty() const { return head_ == nullptr; }
  // The number of nodes.
  std::size_t size() const { return file_lines_.size() + added_count_; }

  // Takes a whole file into an empty list, one node per line and no copy of
  // the content; calls `action` (if any) with every node once it is linked.
  void load(FileText content,
            const std::function<void(LineNode*)>& action = {});
  void load(std::string_view content,
            const std::function<void(LineNode*)>& action = {}) {
    load(FileText::copy_of(content), action);
  }
  // Takes a whole file into an empty list as one node: a large file whose
  // lines are mostly written back as they are costs no node per line. The
  // lines that must stand on their own are split off with split_at.
  void load_unsplit(FileText content);
  // The nodes made by load, in file order (insertions not included).
  std::span<LineNode> file_lines() { return file_lines_; }

  // Splits a node at `offset`, the start of one of its lines other than the
  // first: the node keeps the lines before it, and a new node linked right
  // after it holds the rest, which it returns.
  LineNode* split_at(LineNode* node, std::size_t offset);

  // Each text given below is `head` followed by `tail`, copied into the
  // list's storage.
  // Appends a node holding the text at the end and returns it.
  LineNode* append(std::string_view head, std::string_view tail = {});
  // Links a new node holding the text directly after `node`; returns it.
  LineNode* insert_after(LineNode* node, std::string_view head,
                         std::string_view tail = {});
  // Links a new node holding the pieces, joined, directly after `node`.
  LineNode* insert_after(LineNode* node, std::span<const std::string_view> pieces);
  // Gives the node a new text; it keeps its place.
  void set_text(LineNode* node, std::string_view head,
                std::string_view tail = {});

  // The whole content, as it would be written back.
  std::string joined() const;

 private:
  std::string_view keep(std::span<const std::string_view> pieces);
  void link_at_end(LineNode* node);

  FileText content_;  // the loaded file
  // One block of nodes for the loaded lines, made once: addresses stay.
  LargeBlock file_nodes_;
  std::span<LineNode> file_lines_;
  // Nodes appended or inserted later, in blocks that never move.
  LineNode* new_node(LineNode value);
  // Both kinds of block double in size as the list grows, so that a few
  // changes cost little and many changes take few, large blocks.
  std::vector<LargeBlock> added_blocks_;
  std::size_t added_count_ = 0;
  std::size_t added_left_ = 0;
  // Texts that are not in content_, packed into blocks of their own.
  std::vector<LargeBlock> text_blocks_;
  char* text_free_ = nullptr;
  std::size_t text_left_ = 0;
  LineNode* head_ = nullptr;
  LineNode* tail_ = nullptr;
};

LineNode* insert_line_after(LineList& list, LineNode* node,
                            std::string_view text);

// The offset just past the line of `text` that begins at `at`: past its
// "\n", or the end of the text.
std::size_t end_of_line(std::string_view text, std::size_t at);

// The start of the first line at or after `at` (itself a line start) that
// begins with `first`, or the end of the text.
std::size_t next_line_beginning_with(std::string_view text, std::size_t at, char first);

// Finds the ends of up to `count` lines of `text`, the first beginning at
// `at`, and puts them in `ends` (each the offset just past its "\n", or the
// end of the text for a last line without one); returns how many lines
// there were. Many short lines at once: faster than a search per line.
std::size_t line_ends(std::string_view text, std::size_t at, std::size_t* ends,
                      std::size_t count);

// A line of a list, whatever the shape of its nodes: the line that begins
// `offset` bytes into the node's text (a line start).
class LinePlace {
 public:
  LinePlace(LineNode* node, std::size_t offset)
      : node_(node), offset_(offset), end_(end_of_line(node->text, offset)) {}

  LineNode* node() const { return node_; }
  std::size_t offset() const { return offset_; }
  // The line, its line end included.
  std::string_view line() const { return node_->text.substr(offset_, end_ - offset_); }
  // Moves to the next line of the list; false (and no node) after the last.
  bool advance();

 private:
  LineNode* node_;
  std::size_t offset_;
  std::size_t end_;  // where the line ends in the node's text
};

// Fills an empty list with the lines of `content`.
void load_line_list(FileText content, LineList& list,
                    const std::function<void(LineNode*)>& action = {});
void load_line_list(std::string_view content, LineList& list,
                    const std::function<void(LineNode*)>& action = {});

// Replaces the node's text with `text`, which ends with "\n"; a node whose
// old text ended with "\r\n" keeps that line end, so a file never gets mixed
// line ends.
void replace_line_text(LineList& list, LineNode& node, std::string_view text);

}  // namespace shootout
