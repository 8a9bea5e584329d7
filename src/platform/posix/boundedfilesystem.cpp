#include "platform/posix/boundedfilesystem.h"

#include "platform/posix/mountguard.h"
#include "text/lowercase.h"
#include "worker/boundedcall.h"

#include <algorithm>
#include <mutex>
#include <thread>

namespace orvane {

BoundedFileSystem::BoundedFileSystem(std::shared_ptr<FileSystem> files,
                                     std::shared_ptr<MountGuard> guard, Post post,
                                     std::chrono::milliseconds bound)
    : m_files(std::move(files)), m_guard(std::move(guard)), m_post(std::move(post)), m_bound(bound)
{
}

template <typename Answer>
std::optional<Answer> BoundedFileSystem::askOnce(const std::function<Answer(FileSystem&)>& call)
{
    auto ticket = std::make_shared<MountGuard::Ticket>();
    return callWithin<Answer>(
        m_bound,
        [files = m_files, guard = m_guard, ticket, call] {
            MountGuard::Scope scope(*guard, ticket);
            return call(*files);
        },
        [this, ticket] { return m_guard->giveUp(ticket); });
}

template <typename Answer>
Answer BoundedFileSystem::ask(std::function<Answer(FileSystem&)> call, Answer notReady)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (std::optional<Answer> answer = askOnce(call))
            return std::move(*answer);
    }
    return notReady;
}

PathKind BoundedFileSystem::pathKind(const std::string& path)
{
    return ask<PathKind>([path](FileSystem& files) { return files.pathKind(path); },
                         PathKind::NotReady);
}

std::optional<FolderListing> BoundedFileSystem::readFolder(const std::string& path)
{
    return ask<std::optional<FolderListing>>(
        [path](FileSystem& files) { return files.readFolder(path); }, std::nullopt);
}

std::vector<std::string> BoundedFileSystem::matchingFiles(const std::string& folder,
                                                          const std::string& pattern,
                                                          std::size_t limit)
{
    return ask<std::vector<std::string>>(
        [=](FileSystem& files) { return files.matchingFiles(folder, pattern, limit); }, {});
}

namespace {

// A file listing on its worker, as the worker and the caller share it.
struct Listing
{
    CallState call;
    std::mutex mutex;
    std::vector<FileBatch> found; // since last handed on
    bool ended = false;
    bool late = false;   // the caller has stopped waiting: batches go through its loop
    bool posted = false; // a task to hand them on is on its way
};

// The batches found since last time as one, in order; from now on the caller is not waiting.
FileBatch takeFound(Listing& listing)
{
    std::lock_guard lock(listing.mutex);
    listing.late = true;
    std::vector<std::pair<std::string, std::string>> keyed;
    for (FileBatch& batch : listing.found) {
        for (std::string& name : batch.names)
            keyed.emplace_back(lowerCase(name), std::move(name));
    }
    listing.found.clear();
    listing.posted = false;
    std::sort(keyed.begin(), keyed.end());
    FileBatch batch{{}, listing.ended};
    batch.names.reserve(keyed.size());
    for (auto& [key, name] : keyed)
        batch.names.push_back(std::move(name));
    return batch;
}

} // namespace

void BoundedFileSystem::listMatchingFiles(const std::string& folder, const std::string& pattern,
                                          std::size_t limit,
                                          const std::function<void(FileBatch)>& found)
{
    auto listing = std::make_shared<Listing>();
    auto ticket = std::make_shared<MountGuard::Ticket>();
    // On the caller's thread, once it has stopped waiting.
    auto handOn = [listing, found] { found(takeFound(*listing)); };
    auto add = [listing, post = m_post, handOn](FileBatch batch, bool ended) {
        std::unique_lock lock(listing->mutex);
        listing->found.push_back(std::move(batch));
        listing->ended = ended;
        const bool postNow = listing->late && !listing->posted;
        listing->posted = listing->posted || postNow;
        lock.unlock();
        if (postNow && post)
            post(handOn);
    };
    std::thread([=, files = m_files, guard = m_guard] {
        listing->call.begin();
        {
            MountGuard::Scope scope(*guard, ticket);
            files->listMatchingFiles(folder, pattern, limit,
                                     [&add](FileBatch batch) { add(std::move(batch), false); });
        }
        add({}, true);
        listing->call.end();
    }).detach();
    // Past the wait the mount counts as hung, so that nothing else waits on it meanwhile; the
    // listing goes on and what it finds comes later.
    if (listing->call.waitWithin(m_bound) || !m_guard->giveUp(ticket))
        listing->call.wait();
    found(takeFound(*listing));
}

} // namespace orvane
