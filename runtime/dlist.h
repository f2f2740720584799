// The small doubly linked list that layer lists and other libraries use. Nodes are embedded at the
// start of their records. The header holds two sentinel nodes, so that removing a node needs no
// header and every walk runs from the first node while the current node's successor is not null:
//   for (ListNode* n = list.head.next; n->next != nullptr; n = n->next) ...
#pragma once

namespace qm {

struct ListNode {
  ListNode* next;
  ListNode* prev;
};

struct ListHeader {
  ListNode head;  // head.next: first node (or &tail); head.prev: always null
  ListNode tail;  // tail.prev: last node (or &head); tail.next: always null
};

void list_new(ListHeader* list);
bool list_is_empty(const ListHeader* list);
void list_add_head(ListHeader* list, ListNode* node);
void list_add_tail(ListHeader* list, ListNode* node);
// Links node after `after`; at the head when after is null or the head sentinel.
void list_insert(ListHeader* list, ListNode* node, ListNode* after);
// Unlinks node; its own links are left as they were.
void list_remove(ListNode* node);
// Unlinks and returns the first node, or null for an empty list.
ListNode* list_rem_head(ListHeader* list);

}  // namespace qm
