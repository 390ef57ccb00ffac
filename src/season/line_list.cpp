#include "season/line_list.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace shootout {

std::string_view LineList::keep(std::string_view head, std::string_view tail) {
  const std::size_t size = head.size() + tail.size();
  if (size > text_left_) {
    const std::size_t block = std::max<std::size_t>(size, 64 * 1024);
    text_free_ = text_blocks_.emplace_back(std::make_unique_for_overwrite<char[]>(block)).get();
    text_left_ = block;
  }
  char* text = text_free_;
  if (!head.empty()) std::memcpy(text, head.data(), head.size());
  if (!tail.empty()) std::memcpy(text + head.size(), tail.data(), tail.size());
  text_free_ += size;
  text_left_ -= size;
  return {text, size};
}

LineNode* LineList::new_node(LineNode value) {
  constexpr std::size_t kBlock = 4096;
  if (added_count_ % kBlock == 0) {
    added_blocks_.push_back(std::make_unique_for_overwrite<LineNode[]>(kBlock));
  }
  LineNode* node = &added_blocks_.back()[added_count_++ % kBlock];
  *node = value;
  return node;
}

void LineList::link_at_end(LineNode* node) {
  if (tail_ == nullptr) {
    head_ = node;
  } else {
    tail_->next = node;
  }
  tail_ = node;
}

void LineList::load(FileText content,
                    const std::function<void(LineNode*)>& action) {
  content_ = std::move(content);
  const std::string_view all = content_.view();
  if (all.empty()) return;
  std::size_t count = all.back() == '\n' ? 0 : 1;
  for (const char* at = all.data(), *end = at + all.size();
       (at = static_cast<const char*>(std::memchr(at, '\n', end - at))) != nullptr;
       ++at) {
    ++count;
  }
  file_nodes_ = LargeBlock(count * sizeof(LineNode));
  LineNode* nodes = static_cast<LineNode*>(file_nodes_.data());
  std::size_t start = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t end = std::min(all.find('\n', start), all.size() - 1) + 1;
    LineNode* node = new (&nodes[i]) LineNode{all.substr(start, end - start), nullptr};
    link_at_end(node);
    if (action) action(node);
    start = end;
  }
  file_lines_ = std::span<LineNode>(nodes, count);
}

LineNode* LineList::append(std::string_view head, std::string_view tail) {
  LineNode* node = new_node(LineNode{keep(head, tail), nullptr});
  link_at_end(node);
  return node;
}

LineNode* LineList::insert_after(LineNode* node, std::string_view head,
                                 std::string_view tail) {
  LineNode* fresh = new_node(LineNode{keep(head, tail), node->next});
  node->next = fresh;
  if (tail_ == node) tail_ = fresh;
  return fresh;
}

void LineList::set_text(LineNode* node, std::string_view head,
                        std::string_view tail) {
  node->text = keep(head, tail);
}

std::string LineList::joined() const {
  std::string out;
  for (const LineNode* n = head_; n != nullptr; n = n->next) out += n->text;
  return out;
}

LineNode* insert_line_after(LineList& list, LineNode* node,
                            std::string_view text) {
  return list.insert_after(node, text);
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

void load_line_list(FileText content, LineList& list,
                    const std::function<void(LineNode*)>& action) {
  list.load(std::move(content), action);
}

void load_line_list(std::string_view content, LineList& list,
                    const std::function<void(LineNode*)>& action) {
  list.load(content, action);
}

void replace_line_text(LineList& list, LineNode& node, std::string_view text) {
  if (node.text.ends_with("\r\n") && text.ends_with('\n')) {
    list.set_text(&node, text.substr(0, text.size() - 1), "\r\n");
  } else {
    list.set_text(&node, text);
  }
}

}  // namespace shootout
