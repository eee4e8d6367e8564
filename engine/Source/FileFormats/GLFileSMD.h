#pragma once
// The text SMD format: a model file carries the bone tree, skeleton frames and the triangles
// with their materials and bone weights; an animation file the same bone tree and frames only.
// Loading a model adds a skeletal mesh object to the mesh; adding an animation appends frames
// and, to an actor, a new animation named after the file.
//
//     version 1
//     nodes
//       0 "root" -1
//       1 "arm"   0
//     end
//     skeleton
//     time 0
//       0 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000
//       1 1.000000 0.000000 0.000000 0.000000 0.000000 0.000000
//     end
//     triangles
//     skin.bmp
//       0 0.0 0.0 0.0  0.0 0.0 1.0  0.0 0.0          (bone, position, normal, s t)
//       1 1.0 0.0 0.0  0.0 0.0 1.0  1.0 0.0  2 0 0.5 1 0.5   (..., links: bone weight pairs)
//       1 1.0 1.0 0.0  0.0 0.0 1.0  1.0 1.0
//     end
//
// Fields are separated by blanks and commas, double quotes group a field; numbers use '.'
// whatever the user's locale. Files are untrusted: every bone id must name a bone and every
// line must hold its fields, or the file is refused with EInvalidVectorFile; what was read
// before stays in the mesh.

#include "GLVectorFileFormats.h"

class TGLSMDVectorFile : public TVectorFile {
    Z_CLASS(TGLSMDVectorFile, TVectorFile)
public:
    using TVectorFile::TVectorFile;
    static TDataFileCapabilities Capabilities() { return {dfcRead, dfcWrite}; }

    // A model or an animation into the owner.
    void LoadFromStream(TStream* stream) override;
    // The owner's bones, frames and skeletal mesh objects; a vertex is written with its first
    // bone only.
    void SaveToStream(TStream* stream) override;

    // A library material for a material line: nothing without a library or when it has that
    // name; "null.bmp" gets no image; any other name reads the image file of that name, a
    // missing one skipped only while the mesh tolerates missing textures.
    void AddMaterial(const String& name);
};

// Unit start-up: registers "smd".
void InitializeGLFileSMD();
