#include "runtime/dlist.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace qm;

struct Item {
  ListNode node;  // first member: a node pointer is the record's pointer
  char name;
};

std::string walk(const ListHeader& list) {
  std::string out;
  for (ListNode* n = list.head.next; n->next != nullptr; n = n->next) out += reinterpret_cast<Item*>(n)->name;
  std::string back;
  for (ListNode* n = list.tail.prev; n->prev != nullptr; n = n->prev) back.insert(back.begin(), reinterpret_cast<Item*>(n)->name);
  EXPECT_EQ(out, back);  // both directions agree
  return out;
}

TEST(DList, Operations) {
  ListHeader list;
  list_new(&list);
  EXPECT_TRUE(list_is_empty(&list));
  EXPECT_EQ(list_rem_head(&list), nullptr);
  Item a{{}, 'a'}, b{{}, 'b'}, c{{}, 'c'}, d{{}, 'd'};
  list_add_tail(&list, &b.node);
  list_add_head(&list, &a.node);
  list_add_tail(&list, &d.node);
  list_insert(&list, &c.node, &b.node);
  EXPECT_EQ(walk(list), "abcd");
  list_remove(&b.node);
  EXPECT_EQ(walk(list), "acd");
  list_insert(&list, &b.node, nullptr);
  EXPECT_EQ(walk(list), "bacd");
  list_remove(&d.node);
  EXPECT_EQ(walk(list), "bac");
  EXPECT_EQ(list_rem_head(&list), &b.node);
  EXPECT_EQ(list_rem_head(&list), &a.node);
  EXPECT_EQ(list_rem_head(&list), &c.node);
  EXPECT_TRUE(list_is_empty(&list));
  EXPECT_EQ(walk(list), "");
}

}  // namespace
