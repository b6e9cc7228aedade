#pragma once

// What Qt WebEngine needs from a program that shows web views.

// Before the QApplication is created: shared OpenGL contexts and the
// "quorix-page" scheme.
void PrepareWebEngineBeforeApplication();
// After it: a display without OpenGL (the offscreen platform of headless
// runs and tests) renders web views through software, rather than failing
// to create a context first.
void PrepareWebEngineAfterApplication();
