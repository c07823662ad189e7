#include "extract/revision_prefetch.h"

RevisionPrefetch::~RevisionPrefetch()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopped = true;
    }
    changed.notify_all();
    if (reader.joinable())
        reader.join();
}

void startPrefetch(RevisionPrefetch& prefetch, const SourceHistory& history, int first)
{
    prefetch.reader = std::thread([&prefetch, &history, first] {
        const int count = static_cast<int>(history.revisions.size());
        for (int i = first; i < count; ++i) {
            ReadRevision revision;
            std::string_view text;
            revision.ok = history.readRevision(i, text, revision.hunks, revision.error);
            revision.text.assign(text);
            std::unique_lock<std::mutex> lock(prefetch.mutex);
            prefetch.changed.wait(lock, [&] { return prefetch.stopped || prefetch.ready.size() < prefetch.depth; });
            if (prefetch.stopped)
                return;
            const bool ok = revision.ok;
            prefetch.ready.push_back(std::move(revision));
            lock.unlock();
            prefetch.changed.notify_all();
            if (!ok)
                return;
        }
    });
}

ReadRevision takeRevision(RevisionPrefetch& prefetch)
{
    std::unique_lock<std::mutex> lock(prefetch.mutex);
    prefetch.changed.wait(lock, [&] { return !prefetch.ready.empty(); });
    ReadRevision revision = std::move(prefetch.ready.front());
    prefetch.ready.pop_front();
    lock.unlock();
    prefetch.changed.notify_all();
    return revision;
}
