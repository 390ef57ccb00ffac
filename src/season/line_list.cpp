#include "season/line_list.h"

#include <utility>

namespace shootout {

LineNode* LineList::append(std::string text) {
  LineNode* node = &nodes_.emplace_back(LineNode{std::move(text), nullptr});
  if (tail_ == nullptr) {
    head_ = node;
  } else {
    tail_->next = node;
  }
  tail_ = node;
  return node;
}

LineNode* LineList::insert_after(LineNode* node, std::string text) {
  LineNode* fresh = &nodes_.emplace_back(LineNode{std::move(text), node->next});
  node->next = fresh;
  if (tail_ == node) tail_ = fresh;
  return fresh;
}

std::string LineList::joined() const {
  std::string out;
  for (const LineNode* n = head_; n != nullptr; n = n->next) out += n->text;
  return out;
}

LineNode* insert_line_after(LineList& list, LineNode* node, std::string text) {
  return list.insert_after(node, std::move(text));
}

std::vector<std::string_view> split_lines(std::string_view content) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    end = end == std::string_view::npos ? content.size() : end + 1;
    lines.push_back(content.substr(start, end - start));
    start = end;
  }
  return lines;
}

void load_line_list(std::string_view content, LineList& list,
                    const std::function<void(LineNode*)>& action) {
  for (std::string_view line : split_lines(content)) {
    LineNode* node = list.append(std::string(line));
    if (action) action(node);
  }
}

}  // namespace shootout

namespace shootout {

std::string with_line_end(std::string_view text, std::string_view line_end) {
  if (text.ends_with('\n')) text.remove_suffix(1);
  std::string out(text);
  out += line_end;
  return out;
}

void replace_line_text(LineNode& node, std::string_view text) {
  node.text = node.text.ends_with("\r\n") ? with_line_end(text, "\r\n")
                                          : std::string(text);
}

}  // namespace shootout
