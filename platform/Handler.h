#pragma once
// The one boundary between the event loop and the program's handlers: whatever a
// timer, button, menu or message calls runs through RunHandler, and an exception
// that leaves the handler goes to the application's default error report instead
// of crossing the event loop.

#include <exception>
#include <string>
#include <utility>

#include "platform/Process.h"

void ReportHandlerError(const std::string& text);

template <class Handler>
void RunHandler(Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
  } catch (const TProcessEnded&) {
    throw;  // only tests end the process by throwing; let it reach them
  } catch (const std::exception& error) {
    ReportHandlerError(error.what());
  } catch (...) {
    ReportHandlerError("Unknown error");
  }
}
