#pragma once

#include "model/listmodel.h"

#include <string>

namespace orvane {

// The file list: the names of one folder's files that match a pattern, with one selected or
// none. The pattern holds wildcards ("*.MID;*.RMI") separated by ';'.
class FileListModel : public ListModel
{
public:
    const std::string& path() const { return m_path; }
    const std::string& pattern() const { return m_pattern; }
    // Lists `names`, the matching files of folder `path` under `pattern`; none is selected.
    void setListing(std::string path, std::string pattern, std::vector<std::string> names)
    {
        m_path = std::move(path);
        m_pattern = std::move(pattern);
        assign(std::move(names));
    }

private:
    std::string m_path;
    std::string m_pattern = "*.*";
};

} // namespace orvane
