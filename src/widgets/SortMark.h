#pragma once

// The mark a grid shows in a column title; "down" is the first click's mark.
enum class SortMark { None, Down, Up };
