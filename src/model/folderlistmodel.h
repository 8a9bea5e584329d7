#pragma once

#include "model/changenotifier.h"

#include <string>
#include <vector>

namespace orvane {

// The folder list: the current folder, an absolute path, and its sub-folders. It shows the
// chain of folders from the root down to the current one, each open inside the one above, then
// the current folder's sub-folders.
class FolderListModel : public ChangeNotifier
{
public:
    // One line of the list.
    struct Row
    {
        std::string name;
        std::string path; // the folder's full path
        int depth;        // 0 for the root
        bool open;        // on the chain down to the current folder
    };

    const std::string& path() const { return m_path; }
    const std::vector<std::string>& subFolders() const { return m_subFolders; }
    // Shows folder `path` (absolute, normal) with the sub-folders named.
    void setFolder(std::string path, std::vector<std::string> subFolders);
    // The lines shown, top to bottom.
    std::vector<Row> rows() const;

private:
    std::string m_path;
    std::vector<std::string> m_subFolders;
};

} // namespace orvane
