#include "stockcontent.h"

#include "device/kvcaprecords.h"
#include "device/reportaccess.h"

namespace lvemu {

// One HDMI input and one SDI input; audio embedded in either, or line in. The video
// input is HDMI with a locked 1080p60 signal and 48 kHz 16-bit stereo PCM.
void StockInput(StockReports& reports, const StockIdentity&)
{
    _KVCAP_INPUT_SOURCE_LIST video{};
    video.count = 2;
    video.codes[0] = KvSourceCode(KVCAP_VIDEO_INPUT_HDMI, 0);
    video.codes[1] = KvSourceCode(KVCAP_VIDEO_INPUT_SDI, 0);
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_INPUT_SOURCE_LIST>(KvVideoSourceList)), video);

    _KVCAP_INPUT_SOURCE_LIST audio{};
    audio.count = 3;
    audio.codes[0] = KvSourceCode(KVCAP_AUDIO_INPUT_HDMI, 0);
    audio.codes[1] = KvSourceCode(KVCAP_AUDIO_INPUT_SDI, 0);
    audio.codes[2] = KvSourceCode(KVCAP_AUDIO_INPUT_LINE_IN, 0);
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_INPUT_SOURCE_LIST>(KvAudioSourceList)), audio);

    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_VIDEO_AUTO_SCAN>()), _KVCAP_VIDEO_AUTO_SCAN{0});
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_AUDIO_LINK_VIDEO>()), _KVCAP_AUDIO_LINK_VIDEO{1});
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_VIDEO_INPUT_SOURCE>()), _KVCAP_VIDEO_INPUT_SOURCE{video.codes[0]});
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_AUDIO_INPUT_SOURCE>()), _KVCAP_AUDIO_INPUT_SOURCE{audio.codes[0]});

    _KVCAP_VIDEO_STATUS status{};
    status.state = KVCAP_VIDEO_STATE_LOCKED;
    status.width = 1920;
    status.height = 1080;
    status.totalWidth = 2200;
    status.totalHeight = 1125;
    status.frameDuration = 166667;
    status.aspectX = 16;
    status.aspectY = 9;
    status.colorFormat = 3;      // YUV BT.709
    status.quantRange = 2;       // limited
    status.satRange = 2;
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_VIDEO_STATUS>()), status);

    _KVCAP_AUDIO_STATUS sound{};
    sound.channelPairs = 0x1;
    sound.lpcm = 1;
    sound.bitsPerSample = 16;
    sound.sampleRate = 48000;
    sound.channelStatus[0] = 0x04;   // consumer, PCM, no copyright
    sound.channelStatus[3] = 0x02;   // 48 kHz
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_AUDIO_STATUS>()), sound);
}

} // namespace lvemu
