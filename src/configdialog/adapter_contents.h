#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The adapter contents dialog "DLG_chctl": how many adapters the driver uses. Adapters are always
// numbered 1 to n, so adding and removing work at the top end; the adapter records are not touched, and
// an adapter removed and added again comes back with its earlier values.
class AdapterContents {
  public:
    // Starts from the entries of the adapter selector, kept within 1 to 4.
    explicit AdapterContents(size_t adapterCount);

    uint32_t Count() const { return count_; }
    // The list's lines, one "%s %d" entry per adapter in use.
    std::vector<std::string> Lines() const;
    bool CanAdd() const;
    bool CanRemove() const;
    // Adds adapter n + 1 while fewer than four are in use.
    void Add();
    // Removes the highest-numbered adapter, whatever line is selected, while more than one is in use.
    void Remove();

  private:
    uint32_t count_;
};
