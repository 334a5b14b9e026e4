#pragma once
// Plays the sounds stored in the program through Qt Multimedia.

#include "app/sound_cues.h"

#include <QMediaDevices>
#include <QObject>
#include <QString>

#include <map>
#include <memory>

class QSoundEffect;

namespace kalvex {

// Registers the stored sounds with Qt's resource system. The sounds live in
// a static library, so the program calls this once before the first sound
// (SoundPlayer's constructor also does).
void initSoundResources();

// Whether a sound of that name is stored in the program (any letter case).
bool hasStoredSound(std::string_view name);

// The program's SoundBackend: one QSoundEffect per stored sound, loaded
// ahead of the cues so that a cue starts at once; each new sound stops the
// one playing. Without an audio output device it plays nothing and says
// nothing, and it picks up a device that appears later.
//
// Constructing it costs nothing: the audio backend is asked for its devices
// and the sounds are loaded by prepare(), which the program calls once its
// window is on the screen, or else by the first sound.
class SoundPlayer : public QObject, public SoundBackend
{
    Q_OBJECT

public:
    explicit SoundPlayer(QObject *parent = nullptr);
    ~SoundPlayer() override;

    // Starts the audio backend and loads every sound (when an output device
    // exists); later calls do nothing.
    void prepare();
    bool prepared() const { return devices != nullptr; }

    void play(std::string_view name) override;

    // Whether sounds can be heard: an audio output device exists.
    bool hasAudioOutput() const;

private:
    void loadEffects();
    void dropEffects();

    std::unique_ptr<QMediaDevices> devices;
    std::map<QString, QSoundEffect *> effects;
    QSoundEffect *current = nullptr;
};

} // namespace kalvex
