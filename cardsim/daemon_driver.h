#pragma once
// The card driver the programs use: every open device is a connection to the vtovikmd daemon
// (socket: daemonSocketName()). open() returns null, as for a missing driver,
// when no daemon serves the socket. Requests wait for the daemon to accept them (as
// DeviceIoControl waits for the driver); answers arrive through the Qt event loop and are posted
// to the window named in the request, with the area filled first. Once the daemon is gone,
// every request fails.
//
// Needs a running QCoreApplication on the calling thread.

#include <memory>

#include "cardsim/card_device.h"
#include "platform/audio_devices.h"
#include "platform/window.h"

namespace tovik::card {

std::unique_ptr<CardDriver> makeDaemonCardDriver(WindowSystem& windows);

// The card's mixer driver ("tovikmd.drv"): a connection to the daemon that hands each driver
// message to the card's mixer. Null when no daemon runs.
std::unique_ptr<InstallableDriver> openDaemonMixerDriver();

}  // namespace tovik::card
