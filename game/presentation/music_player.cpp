#include "game/presentation/music_player.h"

#include <algorithm>
#include <span>

#include "common/regular_file.h"
#include "game/presentation/sound_effects.h"

namespace quorel {

namespace {

constexpr std::size_t kSmallestFile = 24;  // a header and a track header
constexpr std::size_t kTrackHeaderSize = 8;
// The game's pieces are a few kilobytes; the cap keeps a wrong file from eating memory.
constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;
constexpr int kRateWithoutStream = 44100;  // the synthesizer's rate when no audio device opened

std::uint32_t readBe32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
         static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

std::uint16_t readBe16(const std::uint8_t* bytes) { return static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]); }

bool hasTag(const std::uint8_t* bytes, const char* tag) { return std::equal(bytes, bytes + 4, tag); }

}  // namespace

MusicPlayer::MusicPlayer(platform::Platform& platform, SoundEffects& effects)
    : platform_(platform), effects_(effects) {
  effects_.mixer().setMusic(this);
}

MusicPlayer::~MusicPlayer() {
  effects_.mixer().setMusic(nullptr);
  close();
  if (synthMaker_.joinable()) synthMaker_.join();
}

bool MusicPlayer::load(const std::string& path) {
  close();
  lastError_.clear();
  // A file that cannot be opened (missing, a folder, a FIFO ...) fails quietly, before any check.
  const RegularFileRead file = readRegularFile(path, kMaxFileBytes);
  if (!file) return false;
  const std::span<const std::uint8_t> bytes = file.bytes();
  if (bytes.size() < kSmallestFile) return refuseLoad("ファイルサイズが不正");

  const std::uint8_t* header = bytes.data();
  if (!hasTag(header, "MThd")) return refuseLoad("ヘッダーが不正");
  const std::uint32_t headerLength = readBe32(&header[4]);
  const std::uint16_t format = readBe16(&header[8]);
  const std::uint16_t tracks = readBe16(&header[10]);
  division_ = readBe16(&header[12]);
  if (format != 0 || tracks != 1) return refuseLoad("データ形式が Format 0 以外");

  const std::uint64_t trackHeaderAt = std::uint64_t{8} + headerLength;
  if (trackHeaderAt + kTrackHeaderSize > bytes.size()) return refuseLoad("トラックヘッダー読み込みに失敗");
  const std::uint8_t* trackHeader = bytes.data() + trackHeaderAt;
  if (!hasTag(trackHeader, "MTrk")) return refuseLoad("トラックヘッダーが不正");

  freeTrack();
  const std::uint64_t trackAt = trackHeaderAt + kTrackHeaderSize;
  const std::uint32_t trackLength = readBe32(&trackHeader[4]);
  if (trackLength > bytes.size() - trackAt) return refuseLoad("トラックの読み込みに失敗");
  std::vector<std::uint8_t> track(bytes.begin() + static_cast<std::ptrdiff_t>(trackAt),
                                  bytes.begin() + static_cast<std::ptrdiff_t>(trackAt + trackLength));

  std::lock_guard lock(mutex_);
  track_ = std::move(track);
  return true;
}

bool MusicPlayer::refuseLoad(const char* reason) {
  lastError_ = reason;
  close();
  freeTrack();
  return false;
}

void MusicPlayer::freeTrack() {
  std::lock_guard lock(mutex_);
  track_.reset();
}

bool MusicPlayer::play() {
  close();
  if (!track_) return false;
  const int rate = ensureSynth();
  std::lock_guard lock(mutex_);
  stream_.emplace(synth_, rate, [this] { onBufferDone(); });
  stream_->setTempo(MidiStream::kDefaultTempo);
  if (!stream_->setTimeDivision(division_)) {
    closeLocked();
    track_.reset();
    return false;
  }
  converter_.start(*track_);
  fillAndSubmit();
  stream_->restart();
  playing_ = true;
  return true;
}

bool MusicPlayer::loadAndPlay(const std::string& path) { return load(path) && play(); }

void MusicPlayer::stop() {
  std::lock_guard lock(mutex_);
  if (!stream_) return;
  playing_ = false;
  stream_->stop();
}

void MusicPlayer::close() {
  std::lock_guard lock(mutex_);
  closeLocked();
}

void MusicPlayer::closeLocked() {
  if (!stream_) return;
  playing_ = false;
  stream_->stop();
  stream_.reset();
}

void MusicPlayer::setRepeat(bool repeat) { repeat_ = repeat; }

bool MusicPlayer::playing() const {
  std::lock_guard lock(mutex_);
  return playing_;
}

int MusicPlayer::streamRate() const {
  return effects_.sampleRate() > 0 ? effects_.sampleRate() : kRateWithoutStream;
}

void MusicPlayer::prepareSynth() {
  std::lock_guard lock(mutex_);
  if (synthMaker_.joinable() || synth_.synth) return;
  const int rate = streamRate();
  synthBeingMade_ = true;
  synthBeingMadeRate_ = rate;
  synthMaker_ = std::thread([this, rate] { takeMadeSynth(platform_.createSynth(rate), rate); });
}

void MusicPlayer::takeMadeSynth(std::unique_ptr<platform::MidiSynth> made, int rate) {
  std::unique_ptr<platform::MidiSynth> unused;  // freed once the lock is given back
  std::lock_guard lock(mutex_);
  synthBeingMade_ = false;
  // One was made on the game's thread meanwhile, for a rate that changed.
  if (synth_.synth) {
    unused = std::move(made);
    return;
  }
  synth_.synth = std::move(made);
  synthRate_ = rate;
}

bool MusicPlayer::synthReady() const {
  std::lock_guard lock(mutex_);
  return synth_.synth != nullptr;
}

int MusicPlayer::ensureSynth() {
  const int rate = streamRate();
  {
    std::lock_guard lock(mutex_);
    if (synth_.synth && synthRate_ == rate) return rate;
    // The stream waits for it, without holding up the game.
    if (synthBeingMade_ && synthBeingMadeRate_ == rate) return rate;
  }
  std::unique_ptr<platform::MidiSynth> fresh = platform_.createSynth(rate);
  std::unique_ptr<platform::MidiSynth> old;
  std::lock_guard lock(mutex_);
  old = std::move(synth_.synth);
  synth_.synth = std::move(fresh);
  synthRate_ = rate;
  return rate;
}

void MusicPlayer::fillAndSubmit() {
  const TrackConverter::Fill fill = converter_.fill(buffer_, repeat_);
  if (fill.pieceEnded) playing_ = false;
  stream_->submit({buffer_.data(), fill.bytesUsed});
}

void MusicPlayer::onBufferDone() {
  if (playing_) fillAndSubmit();
}

void MusicPlayer::render(float* out, int frames) {
  std::lock_guard lock(mutex_);
  // Until the synthesizer is there the stream does not move on, so no event is lost.
  if (!synth_.synth) return;
  if (stream_) {
    stream_->render(out, frames);
  } else {
    synth_.render(out, frames);
  }
}

void MusicPlayer::SynthSlot::shortMessage(std::uint32_t message) {
  if (synth) synth->shortMessage(message);
}

void MusicPlayer::SynthSlot::sysex(std::span<const std::uint8_t> bytes) {
  if (synth) synth->sysex(bytes);
}

void MusicPlayer::SynthSlot::allNotesOff() {
  if (synth) synth->allNotesOff();
}

void MusicPlayer::SynthSlot::render(float* out, int frames) {
  if (synth) synth->render(out, frames);
}

}  // namespace quorel
