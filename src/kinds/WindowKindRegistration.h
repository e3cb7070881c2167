#pragma once
// The one registration of the window kinds above the tree (instruments, value logs, acquisition), shared
// by the program, the batch export, tests and benchmarks; the tree's own kinds come with the client.
class SoundDevices;
class marluneMDIClient;

// Without devices a workspace's acquisition windows are not made again.
void registerWindowKinds(marluneMDIClient& client, SoundDevices* devices);
