#pragma once

#include "model/formmodel.h"
#include "platform/mediacontrol.h"
#include "playback/player.h"
#include "playback/trackopener.h"

#include <string>
#include <vector>

namespace orvane::testing {

// Files played one after another by the program's own player over `media`, queued as the
// program queues them: the queue's head plays, and each end plays the next.
class QueuePlayer
{
public:
    explicit QueuePlayer(MediaControl& media) : m_media(media), m_player(m_model, media)
    {
        media.setEvents(&m_player);
    }
    ~QueuePlayer() { m_media.setEvents(nullptr); }

    void play(const std::vector<std::string>& files)
    {
        for (const std::string& file : files) {
            m_model.lstMusicQ.addItem(file);
            ExpectMusicFile(m_media, file);
        }
        m_player.PlayQueueHead();
    }
    bool finished() const { return m_model.lstMusicQ.count() == 0; }

private:
    MediaControl& m_media;
    FormModel m_model;
    Player m_player;
};

} // namespace orvane::testing
