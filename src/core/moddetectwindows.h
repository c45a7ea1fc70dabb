#pragma once
// Platform check: whether the desktop is the one the second set of toolbar
// pictures was drawn for. It never is here.
inline bool IsWinXP()
{
    return false;
}
