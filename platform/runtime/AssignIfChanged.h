#pragma once
// The rule every property setter of the system follows: ignore an equal value, store, then
// notify. The notification is the caller's, so that each class says what a change means:
//
//     void TGLDummyCube::SetCubeSize(Single value) {
//         if (AssignIfChanged(cubeSize_, value)) StructureChanged();
//     }

template <class T, class V>
bool AssignIfChanged(T& field, const V& value) {
    if (field == value) return false;
    field = value;
    return true;
}
