// The label table: 100 labels, each owned by a routine level.
#pragma once

#include <string_view>

namespace korvan::kfl {

constexpr int label_capacity = 100;

struct Label {
    char name[16];
    int level;
    bool in_use;
    int position;      // the labelled statement in the statement buffer
    int if_depth;
    int loop_depth;
    int switch_depth;
    bool skipping;
};

Label& label(int index);

// The label of that name at the current routine level, or -1.
int find_label(std::string_view name);

// A free label entry (marked in use, named, at the current level), or -1 after
// "Maximal number of labels is reached".
int allocate_label(std::string_view name);

// Deletes the labels of a routine level; clear_labels() deletes all.
void clear_labels_of_level(int level);
void clear_labels();

}  // namespace korvan::kfl
