#include "season/line_list.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace shootout {

std::string_view LineList::keep(std::span<const std::string_view> pieces) {
  std::size_t size = 0;
  for (std::string_view piece : pieces) size += piece.size();
  if (size > text_left_) {
    const std::size_t grown = text_blocks_.empty()
                                  ? 4096
                                  : std::min<std::size_t>(2 * text_blocks_.back().bytes(), 4 << 20);
    const std::size_t block = std::max(size, grown);
    text_free_ = static_cast<char*>(text_blocks_.emplace_back(block).data());
    text_left_ = block;
  }
  char* text = text_free_;
  for (std::string_view piece : pieces) {
    if (!piece.empty()) std::memcpy(text_free_, piece.data(), piece.size());
    text_free_ += piece.size();
  }
  text_left_ -= size;
  return {text, size};
}

LineNode* LineList::new_node(LineNode value) {
  if (added_left_ == 0) {
    const std::size_t nodes =
        added_blocks_.empty()
            ? 64
            : std::min<std::size_t>(2 * added_blocks_.back().bytes() / sizeof(LineNode), 1 << 17);
    added_blocks_.emplace_back(nodes * sizeof(LineNode));
    added_left_ = nodes;
  }
  const LargeBlock& block = added_blocks_.back();
  LineNode* node = static_cast<LineNode*>(block.data()) +
                   (block.bytes() / sizeof(LineNode) - added_left_--);
  ++added_count_;
  return new (node) LineNode(value);
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

void LineList::load_unsplit(FileText content) {
  content_ = std::move(content);
  if (content_.size() == 0) return;
  file_nodes_ = LargeBlock(sizeof(LineNode));
  LineNode* node = new (file_nodes_.data()) LineNode{content_.view(), nullptr};
  link_at_end(node);
  file_lines_ = std::span<LineNode>(node, 1);
}

LineNode* LineList::split_at(LineNode* node, std::size_t offset) {
  LineNode* rest = new_node(LineNode{node->text.substr(offset), node->next});
  node->text = node->text.substr(0, offset);
  node->next = rest;
  if (tail_ == node) tail_ = rest;
  return rest;
}

LineNode* LineList::append(std::string_view head, std::string_view tail) {
  const std::string_view pieces[] = {head, tail};
  LineNode* node = new_node(LineNode{keep(pieces), nullptr});
  link_at_end(node);
  return node;
}

LineNode* LineList::insert_after(LineNode* node, std::string_view head,
                                 std::string_view tail) {
  const std::string_view pieces[] = {head, tail};
  return insert_after(node, pieces);
}

LineNode* LineList::insert_after(LineNode* node, std::span<const std::string_view> pieces) {
  LineNode* fresh = new_node(LineNode{keep(pieces), node->next});
  node->next = fresh;
  if (tail_ == node) tail_ = fresh;
  return fresh;
}

void LineList::set_text(LineNode* node, std::string_view head,
                        std::string_view tail) {
  const std::string_view pieces[] = {head, tail};
  node->text = keep(pieces);
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

void load_line_list(FileText content, LineList& list,
                    const std::function<void(LineNode*)>& action) {
  list.load(std::move(content), action);
}

void load_line_list(std::string_view content, LineList& list,
                    const std::function<void(LineNode*)>& action) {
  list.load(content, action);
}

std::size_t end_of_line(std::string_view text, std::size_t at) {
  if (at >= text.size()) return text.size();
  const void* end = std::memchr(text.data() + at, '\n', text.size() - at);
  return end == nullptr ? text.size()
                        : static_cast<std::size_t>(static_cast<const char*>(end) - text.data()) + 1;
}

std::size_t next_line_beginning_with(std::string_view text, std::size_t at, char first) {
  while (at < text.size()) {
    const void* found = std::memchr(text.data() + at, first, text.size() - at);
    if (found == nullptr) return text.size();
    const std::size_t pos =
        static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
    if (pos == at || text[pos - 1] == '\n') return pos;
    at = end_of_line(text, pos);
  }
  return text.size();
}

std::size_t line_ends(std::string_view text, std::size_t at, std::size_t* ends,
                      std::size_t count) {
  std::size_t found = 0;
#if defined(__SSE2__)
  // Sixteen bytes a step: a bit for each line end among them.
  const __m128i newline = _mm_set1_epi8('\n');
  const std::size_t start = at;
  for (; found < count && at + 16 <= text.size(); at += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
    auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, newline)));
    for (; mask != 0 && found < count; mask &= mask - 1) {
      ends[found++] = at + static_cast<std::size_t>(std::countr_zero(mask)) + 1;
    }
  }
  // The rest goes on from the start of the line after the last one found.
  at = found > 0 ? ends[found - 1] : start;
#endif
  while (found < count && at < text.size()) {
    at = end_of_line(text, at);
    ends[found++] = at;
  }
  return found;
}

bool LinePlace::advance() {
  offset_ = end_;
  while (node_ != nullptr && offset_ >= node_->text.size()) {
    node_ = node_->next;
    offset_ = 0;
  }
  if (node_ == nullptr) return false;
  end_ = end_of_line(node_->text, offset_);
  return true;
}

void replace_line_text(LineList& list, LineNode& node, std::string_view text) {
  if (node.text.ends_with("\r\n") && text.ends_with('\n')) {
    list.set_text(&node, text.substr(0, text.size() - 1), "\r\n");
  } else {
    list.set_text(&node, text);
  }
}

}  // namespace shootout
