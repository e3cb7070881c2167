#pragma once
// The picture-scale buttons of the mesh view.

class FFTSignal;

// The virtual extent shrinks by 1/1.1 (the picture grows) or grows by 1.1 (the picture shrinks), both sides
// truncated to whole units.
namespace PictureScale {
// Button 11128. Refused (false) when a side would fall below one unit.
bool enlarge(FFTSignal& data);
// Button 11129.
void reduce(FFTSignal& data);
}  // namespace PictureScale
