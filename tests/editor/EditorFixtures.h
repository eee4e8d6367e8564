#pragma once
// The part of the editor's scene that the level and the robot work on, built in code: the sky,
// the block container 0.25 below the ground, the tile container, and a material library that
// starts with the editor's eleven built-in material names.

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "GLMaterial.h"
#include "GLObjects.h"
#include "Scene.h"
#include "SysUtils.h"
#include "TestSupport.h"

inline const wchar_t* const kBuiltInMaterialNames[] = {L"LightOff",    L"LightOn",     L"Clover",    L"Cursor_green",
                                                       L"Cursor_blue", L"Beton",       L"Area_red",  L"Area_green",
                                                       L"Area_blue",   L"Area_yellow", L"Area_black"};

struct TEditorScene {
    TEditorScene() {
        owner = std::make_unique<TComponent>(nullptr);
        scene = new TGLScene(owner.get());
        library = new TGLMaterialLibrary(owner.get());
        for (const wchar_t* name : kBuiltInMaterialNames) library->Materials()->Add()->SetName(name);
        sky = Add<TGLSphere>(L"Sky");
        blocks = Add<TGLDummyCube>(L"dcBlocks");
        blocks->Position()->SetPoint(0, -0.25f, 0);
        lights = Add<TGLDummyCube>(L"dcLights");
    }
    template <class T>
    T* Add(const String& name) {
        auto* object = static_cast<T*>(scene->Objects()->AddNewChild(T::StaticClass()));
        object->SetName(name);
        return object;
    }

    std::unique_ptr<TComponent> owner;
    TGLScene* scene;
    TGLMaterialLibrary* library;
    TGLSphere* sky;
    TGLDummyCube* blocks;
    TGLDummyCube* lights;
};

inline TAffineVector XYZ(const TVector4f& v) { return {v.X, v.Y, v.Z}; }

// Writes bytes or text (UTF-8, as the editor's files are ASCII) into a file.
inline void WriteTextFile(const String& fileName, const std::string& text) {
    std::ofstream out(fileName.c_str(), std::ios::binary);
    out << text;
}

inline std::string ReadTextFile(const String& fileName) {
    std::ifstream in(fileName.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The non-blank lines of a file.
inline std::vector<std::string> FileLines(const String& fileName) {
    std::vector<std::string> lines;
    std::string text = ReadTextFile(fileName), line;
    for (char c : text) {
        if (c == '\n' || c == '\r') {
            if (!line.empty()) lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// Saves a picture as a 24-bit BMP; rgb(x, y) gives 0xRRGGBB with y counted from the bottom row.
inline void SaveBmp24(int width, int height, const std::function<unsigned(int x, int y)>& rgb,
                      const std::string& fileName) {
    const int stride = (width * 3 + 3) & ~3;
    std::string data;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned c = rgb(x, y);
            data += {char(c & 0xFF), char((c >> 8) & 0xFF), char(c >> 16)};
        }
        data.append(size_t(stride - width * 3), '\0');
    }
    auto le = [](size_t v, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i) out += char(v >> (8 * i));
        return out;
    };
    std::ofstream out(fileName, std::ios::binary);
    out << "BM" << le(54 + data.size(), 4) << le(0, 4) << le(54, 4) << le(40, 4) << le(size_t(width), 4)
        << le(size_t(height), 4) << le(1, 2) << le(24, 2) << le(0, 4) << le(data.size(), 4) << le(2835, 4)
        << le(2835, 4) << le(0, 4) << le(0, 4) << data;
}
