// What must hold after outside data reached a plug-in, checked only through its record as a host sees
// it: finite parameters, terminated program names, sound audio, and chunks of our own that read back.
#pragma once

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_target.h"
#include "host/vst_interface.h"

class RecordChecks {
public:
    static constexpr int kPrograms = 64;
    static constexpr int kParameters = 53;
    static constexpr int kFrames = 256;
    static constexpr int kNameBytes = 64;

    static std::vector<std::string> programNames(AEffect* effect)
    {
        std::vector<std::string> names;
        for (int p = 0; p < kPrograms; ++p) {
            char text[4 * kNameBytes];
            std::memset(text, 0x5A, sizeof(text));
            effect->dispatcher(effect, effGetProgramNameIndexed, p, 0, text, 0.0f);
            FUZZ_CHECK(std::memchr(text, 0, kNameBytes) != nullptr);
            names.emplace_back(text);
        }
        return names;
    }

    // Every value finite and every name terminated; two blocks of a tone with a NaN and an infinity in
    // them come out finite and within the limit.
    static void stateIsSound(AEffect* effect)
    {
        for (int i = 0; i < kParameters; ++i)
            FUZZ_CHECK(std::isfinite(effect->getParameter(effect, i)));
        programNames(effect);
        char text[4 * kNameBytes] = {};
        effect->dispatcher(effect, effGetProgramName, 0, 0, text, 0.0f);
        FUZZ_CHECK(std::memchr(text, 0, kNameBytes) != nullptr);

        static float inL[kFrames], inR[kFrames], outL[kFrames], outR[kFrames];
        for (int block = 0; block < 2; ++block) {
            for (int i = 0; i < kFrames; ++i) {
                inL[i] = 0.5f * std::sin(0.05f * static_cast<float>(i));
                inR[i] = -inL[i];
            }
            inL[7] = NAN;
            inR[9] = INFINITY;
            float* ins[2] = {inL, inR};
            float* outs[2] = {outL, outR};
            effect->processReplacing(effect, ins, outs, kFrames);
            for (int i = 0; i < kFrames; ++i) {
                // A bypassed block hands its input back exactly, bad samples included.
                FUZZ_CHECK(std::isfinite(outL[i]) ? std::fabs(outL[i]) <= 0.9999f : i == 7);
                FUZZ_CHECK(std::isfinite(outR[i]) ? std::fabs(outR[i]) <= 0.9999f : i == 9);
            }
        }
    }

    // The plug-in's own chunk is read whole and gives every name back.
    static void chunkReadsBack(AEffect* effect, bool isPreset)
    {
        std::vector<std::string> before = programNames(effect);
        void* data = nullptr;
        VstIntPtr size = effect->dispatcher(effect, effGetChunk, isPreset ? 1 : 0, 0, &data, 0.0f);
        FUZZ_CHECK(size > 0 && data != nullptr);
        std::vector<unsigned char> chunk(static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
        VstIntPtr consumed = effect->dispatcher(effect, effSetChunk, isPreset ? 1 : 0, size, chunk.data(), 0.0f);
        FUZZ_CHECK(consumed == size);
        FUZZ_CHECK(programNames(effect) == before);
    }

    // Chunks our writer made: the starting bank, and one with names and values of every kind.
    static void chunkSeeds(AEffect* effect, FuzzSeeds& seeds)
    {
        addChunks(effect, seeds, "init");
        const char* names[] = {"Warm Pad", "", "A name that is exactly sixty-three characters long, no more: ok!",
                               "x"};
        for (int p = 0; p < 4; ++p) {
            effect->dispatcher(effect, effSetProgram, 0, p * 21, nullptr, 0.0f);
            effect->dispatcher(effect, effSetProgramName, 0, 0, const_cast<char*>(names[p]), 0.0f);
            for (int i = 0; i < kParameters; ++i)
                effect->setParameter(effect, i, static_cast<float>((i * 7 + p * 13) % 17) / 16.0f);
        }
        addChunks(effect, seeds, "named");
    }

private:
    static void addChunks(AEffect* effect, FuzzSeeds& seeds, const std::string& tag)
    {
        for (int isPreset = 0; isPreset < 2; ++isPreset) {
            void* data = nullptr;
            VstIntPtr size = effect->dispatcher(effect, effGetChunk, isPreset, 0, &data, 0.0f);
            FuzzSeeds::Bytes bytes(1, static_cast<std::uint8_t>(isPreset));
            bytes.insert(bytes.end(), static_cast<std::uint8_t*>(data), static_cast<std::uint8_t*>(data) + size);
            seeds.add(tag + (isPreset ? "-program" : "-bank"), bytes);
        }
    }
};
