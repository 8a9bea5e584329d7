#pragma once

#include "platform/filesystem.h"
#include "worker/boundedcall.h"

#include <chrono>
#include <functional>
#include <memory>

namespace orvane {

class MountGuard;

// The file system asked on worker threads, so that a share or disk that does not answer
// cannot hold the caller. Each call waits for its answer as callWithin() does, giving up
// after `bound` asleep in the kernel; the answer is then "not ready": no listing, no files,
// PathKind::NotReady. The worker is left to finish and its late answer dropped; its mount
// counts as hung meanwhile (see MountGuard), so further calls on it answer at once. A call that
// hung on a mount is asked once more, as it may have hung on another mount than its own (through a
// link in a folder). A file listing is not dropped but goes on: what it finds after the wait
// comes in batches through the caller's event loop.
class BoundedFileSystem : public FileSystem
{
public:
    // Runs a task later on the caller's thread; safe to call from any thread.
    using Post = std::function<void(std::function<void()>)>;

    // `files` must consult `guard` (MountGuard::mayTouch) before reaching any path; `post`
    // reaches the thread that asks.
    BoundedFileSystem(std::shared_ptr<FileSystem> files, std::shared_ptr<MountGuard> guard,
                      Post post, std::chrono::milliseconds bound = kDiskWait);

    PathKind pathKind(const std::string& path) override;
    std::optional<FolderListing> readFolder(const std::string& path) override;
    std::vector<std::string> matchingFiles(const std::string& folder, const std::string& pattern,
                                           std::size_t limit) override;
    void listMatchingFiles(const std::string& folder, const std::string& pattern, std::size_t limit,
                           const std::function<void(FileBatch)>& found) override;

private:
    template <typename Answer> Answer ask(std::function<Answer(FileSystem&)> call, Answer notReady);
    template <typename Answer>
    std::optional<Answer> askOnce(const std::function<Answer(FileSystem&)>& call);

    std::shared_ptr<FileSystem> m_files;
    std::shared_ptr<MountGuard> m_guard;
    Post m_post;
    std::chrono::milliseconds m_bound;
};

} // namespace orvane
