#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace shootout {

// One whole line of a season file, line end included (the file's last line
// may have none). Nodes never move and are never removed, so other records
// may hold plain pointers to them.
struct LineNode {
  std::string text;
  LineNode* next = nullptr;
};

// A season file held as a chain of lines. The list owns its nodes; writing
// the texts of all nodes in order reproduces the file.
class LineList {
 public:
  LineList() = default;
  LineList(const LineList&) = delete;
  LineList& operator=(const LineList&) = delete;

  LineNode* head() const { return head_; }
  LineNode* tail() const { return tail_; }
  bool empty() const { return head_ == nullptr; }
  std::size_t size() const { return nodes_.size(); }

  // Appends a node holding `text` at the end and returns it.
  LineNode* append(std::string text);
  // Links a new node holding `text` directly after `node` and returns it.
  LineNode* insert_after(LineNode* node, std::string text);

  // The whole content, as it would be written back.
  std::string joined() const;

 private:
  std::deque<LineNode> nodes_;  // storage only; order is given by `next`
  LineNode* head_ = nullptr;
  LineNode* tail_ = nullptr;
};

LineNode* insert_line_after(LineList& list, LineNode* node, std::string text);

// Splits content into whole lines, each with its line end; bytes of any value
// are kept. The pieces concatenate to the content.
std::vector<std::string_view> split_lines(std::string_view content);

// Fills an empty list with the lines of `content`, calling `action` (if any)
// with every node right after it has been linked.
void load_line_list(std::string_view content, LineList& list,
                    const std::function<void(LineNode*)>& action = {});

}  // namespace shootout

namespace shootout {

// Replaces the node's text with `text`, which ends with "\n"; a node whose
// old text ended with "\r\n" keeps that line end, so a file never gets mixed
// line ends.
void replace_line_text(LineNode& node, std::string_view text);

// `text` (ending with "\n") with the line end `line_end` in its place.
std::string with_line_end(std::string_view text, std::string_view line_end);

}  // namespace shootout
