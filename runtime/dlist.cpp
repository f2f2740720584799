#include "runtime/dlist.h"

namespace qm {

void list_new(ListHeader* list) {
  list->head.next = &list->tail;
  list->head.prev = nullptr;
  list->tail.next = nullptr;
  list->tail.prev = &list->head;
}

bool list_is_empty(const ListHeader* list) { return list->head.next == &list->tail; }

void list_insert(ListHeader* list, ListNode* node, ListNode* after) {
  if (after == nullptr) after = &list->head;
  node->prev = after;
  node->next = after->next;
  after->next->prev = node;
  after->next = node;
}

void list_add_head(ListHeader* list, ListNode* node) { list_insert(list, node, &list->head); }

void list_add_tail(ListHeader* list, ListNode* node) { list_insert(list, node, list->tail.prev); }

void list_remove(ListNode* node) {
  node->prev->next = node->next;
  node->next->prev = node->prev;
}

ListNode* list_rem_head(ListHeader* list) {
  if (list_is_empty(list)) return nullptr;
  ListNode* first = list->head.next;
  list_remove(first);
  return first;
}

}  // namespace qm
