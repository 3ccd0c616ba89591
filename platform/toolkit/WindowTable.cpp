#include "platform/toolkit/WindowTable.h"

#include <unordered_map>

namespace WindowTable {
namespace {

struct TTable {
    std::unordered_map<THandle, TWinControl*> Windows;
    THandle Next = 0x100;
};

TTable& Table() {
    static TTable table;
    return table;
}

} // namespace

THandle Register(TWinControl* control) {
    TTable& t = Table();
    THandle h = t.Next++;
    t.Windows[h] = control;
    return h;
}

void Unregister(THandle handle) {
    Table().Windows.erase(handle);
}

TWinControl* Find(THandle handle) {
    if (handle == 0) return nullptr;
    auto& w = Table().Windows;
    auto it = w.find(handle);
    return it == w.end() ? nullptr : it->second;
}

} // namespace WindowTable
