#include "platform/posix/boundedfilesystem.h"

#include "platform/posix/mountguard.h"
#include "worker/boundedcall.h"

namespace orvane {

BoundedFileSystem::BoundedFileSystem(std::shared_ptr<FileSystem> files,
                                     std::shared_ptr<MountGuard> guard,
                                     std::chrono::milliseconds bound)
    : m_files(std::move(files)), m_guard(std::move(guard)), m_bound(bound)
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

} // namespace orvane
