// A list box's selection as the logic sees it: its selection event comes only
// when the selected item changes, and an item the logic deletes leaves the
// list without a selection rather than with a neighbour nobody chose.
#include <chrono>
#include <thread>

#include "forms/runtime/unit_methods.h"
#include "library/call.h"
#include "runtime_fixture.h"

namespace vel::test {
namespace {

constexpr int kListSelection = 16;

class ListSelectionTest : public RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        ASSERT_TRUE(rt().load_window(kMain, 0, false));
        count_into(7, m_events);
    }
    plat::Widget* list() { return rt().unit_widget(kMain, kList); }
    int selected() { return as_int(rt().get_property(kMain, kList, kListSelection)); }
    bool delete_item(int index) {
        return call(cmd_delete_list_item, arg_unit(kMain, kList, TAG_UNIT_LISTBOX), arg_int(index))
            .as_logical();
    }
    // Letters typed closer together than the keyboard search interval
    // (400 ms) would be searched for as one word.
    void type_letter(char upper) {
        std::this_thread::sleep_for(std::chrono::milliseconds(450));
        const char lower[2] = {static_cast<char>(upper - 'A' + 'a'), 0};
        plat::send_key(list(), upper, 0, lower);
        plat::process_pending_events();
    }
    int m_events = 0;
};

TEST_F(ListSelectionTest, DeletingTheSelectedItemLeavesNoneSelected) {
    // Each row: the selected item, the one deleted, what is selected after.
    struct Row {
        int selected, deleted, after;
    };
    for (Row row : {Row{1, 1, -1}, Row{0, 0, -1}, Row{2, 2, -1}, Row{2, 0, 1}, Row{0, 2, 0}}) {
        while (plat::item_count(list()) > 0) plat::remove_item(list(), 0);
        for (const char* t : {"x", "y", "z"}) plat::add_item(list(), t);
        plat::set_current_index(list(), row.selected);
        ASSERT_TRUE(delete_item(row.deleted));
        plat::process_pending_events();
        EXPECT_EQ(selected(), row.after) << row.selected << " deleting " << row.deleted;
        // A second delete of "the selection" must find none.
        if (row.after < 0) {
            EXPECT_EQ(plat::current_index(list()), -1);
        }
    }
    EXPECT_EQ(m_events, 0) << "the logic's own changes raise no selection event";
}

TEST_F(ListSelectionTest, EventOnlyWhenTheSelectionChanges) {
    // Focus alone selects nothing and reports nothing.
    plat::activate_window(rt().window_widget(kMain));
    plat::set_focus(list());
    plat::process_pending_events();
    EXPECT_EQ(selected(), -1);
    EXPECT_EQ(m_events, 0) << "focus on a list without selection";

    // The user moves the selection: one event per change, the new index readable.
    int seen = -2;
    g_slots[7] = [&](auto) {
        ++m_events;
        seen = selected();
        return std::nullopt;
    };
    // (Typing an item's first letter selects it as a click would.)
    type_letter('Y');
    EXPECT_EQ(m_events, 1);
    EXPECT_EQ(seen, 1);
    type_letter('Z');
    EXPECT_EQ(m_events, 2);
    EXPECT_EQ(seen, 2);

    // The logic's own change is silent, and a later user move from there is
    // measured against it.
    plat::set_current_index(list(), 0);
    EXPECT_EQ(m_events, 2);
    type_letter('Y');
    EXPECT_EQ(m_events, 3);
    EXPECT_EQ(seen, 1);
}

TEST_F(ListSelectionTest, WindowOpensWithFocusOnItsFirstTabStop) {
    // kEdit is the first tab stop of the main window; the list is a later one.
    plat::activate_window(rt().window_widget(kMain));
    plat::process_pending_events();
    EXPECT_TRUE(plat::has_focus(rt().unit_widget(kMain, kEdit)));
    EXPECT_FALSE(plat::has_focus(list()));
}

}  // namespace
}  // namespace vel::test
