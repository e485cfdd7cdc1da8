#include "bank/SoundLabels.h"

namespace ovb {

const std::array<const char*, kOscillatorModes> kOscillatorModeNames = {"Normal POLY",
                                                                        "Bass MODE",
                                                                        "Mono RETRIGER",
                                                                        "Mono LEGATO",
                                                                        "Mono+PRT CZ",
                                                                        "Mono+PRT DX",
                                                                        "Ac Bouzouki",
                                                                        "BG Gadulka GRP",
                                                                        "Ethno Bouzouki",
                                                                        "Mono+PRT KORG",
                                                                        "Mono+PRT ZW",
                                                                        "Mono+PRT ZW2",
                                                                        "StradivariV",
                                                                        "Kempa GROUP",
                                                                        "Strad Vio 2",
                                                                        "ZW Tenor Sax",
                                                                        "ZW Alt Sax",
                                                                        "ZW Clarinet",
                                                                        "ZW Bouzouki",
                                                                        "ZW Turkish Oud",
                                                                        "ZW Ethno Violin",
                                                                        "Accordion Basses",
                                                                        "Accordion L-Hand",
                                                                        "ZW Lyric Violine",
                                                                        "ZW Lyric Cello",
                                                                        "Poly Portamento",
                                                                        "ZW Poly/Mono Gtr",
                                                                        "ZW Qanun Mode",
                                                                        "Poly&Mono/ZW2",
                                                                        "ACC F.Bass Single Layer",
                                                                        "ACC F.Bass 5 Layer",
                                                                        "ACC F.Bass Percussion",
                                                                        "ACC Chord Single Layer",
                                                                        "ACC Chord 5 Layer",
                                                                        "ACC Chord Scan 1 Layer",
                                                                        "ACC Chord Scan 2 Layer",
                                                                        "ACC Chord Percussion"};

const std::array<const char*, kCategories> kCategoryCaptions = {
    "Piano",   "Guitar",  "Pad/Vox",  "Organ",   "Acordion", "Trubes", "Brass", "SoloStr",
    "OrchStr", "Plector", "Clarinet", "Sax",     "Gaida",    "Kawal",  "Zurna", "Synth",
    "DX",      "Bass",    "Drums",    "Loop/Fx", "Stereo",   "User"};

} // namespace ovb
