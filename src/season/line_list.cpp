#include "season/line_list.h"

#include <algorithm>
#include <utility>

namespace shootout {

std::string_view LineList::keep(std::string text) {
  return texts_.emplace_back(std::move(text));
}

void LineList::link_at_end(LineNode* node) {
  if (tail_ == nullptr) {
    head_ = node;
  } else {
    tail_->next = node;
  }
  tail_ = node;
}

void LineList::load(std::string content,
                    const std::function<void(LineNode*)>& action) {
  content_ = std::move(content);
  const std::vector<std::string_view> lines = split_lines(content_);
  file_lines_.resize(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    LineNode* node = &file_lines_[i];
    node->text = lines[i];
    link_at_end(node);
    if (action) action(node);
  }
}

LineNode* LineList::append(std::string text) {
  LineNode* node = &added_.emplace_back(LineNode{keep(std::move(text)), nullptr});
  link_at_end(node);
  return node;
}

LineNode* LineList::insert_after(LineNode* node, std::string text) {
  LineNode* fresh =
      &added_.emplace_back(LineNode{keep(std::move(text)), node->next});
  node->next = fresh;
  if (tail_ == node) tail_ = fresh;
  return fresh;
}

void LineList::set_text(LineNode* node, std::string text) {
  node->text = keep(std::move(text));
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
  lines.reserve(static_cast<std::size_t>(
                    std::count(content.begin(), content.end(), '\n')) + 1);
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    end = end == std::string_view::npos ? content.size() : end + 1;
    lines.push_back(content.substr(start, end - start));
    start = end;
  }
  return lines;
}

void load_line_list(std::string content, LineList& list,
                    const std::function<void(LineNode*)>& action) {
  list.load(std::move(content), action);
}

std::string with_line_end(std::string_view text, std::string_view line_end) {
  if (text.ends_with('\n')) text.remove_suffix(1);
  std::string out(text);
  out += line_end;
  return out;
}

void replace_line_text(LineList& list, LineNode& node, std::string_view text) {
  list.set_text(&node, node.text.ends_with("\r\n") ? with_line_end(text, "\r\n")
                                                   : std::string(text));
}

}  // namespace shootout
