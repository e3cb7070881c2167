#pragma once
// The one registration of the window kinds above the tree (instruments, value logs, acquisition).
class SoundDevices;
class marluneMDIClient;

// Shared by the program, the batch export, tests and benchmarks; the tree's own kinds come with the
// client. Without devices a workspace's acquisition windows are not made again.
void registerWindowKinds(marluneMDIClient& client, SoundDevices* devices);
