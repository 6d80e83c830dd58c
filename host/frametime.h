#pragma once

class QQmlApplicationEngine;
class QQuickWindow;

namespace joyvant {

// Start-up timing hook. With the logging category "joyvant.frametime" enabled for
// debug messages (QT_LOGGING_RULES="joyvant.frametime.debug=true"), the first buffer
// swap of a window writes the line "first frame swapped" from the render thread, right
// after the swap, so a tool reading the output sees when the window first showed real
// content. With the category off (the default) nothing is connected and nothing runs.
//
// With the same category on, the window also writes "controller view complete" right after
// the first swap of a frame in which every visible picture that says whether it is drawn
// (an item with a `drawn` property: the controller pictures, their glows, the dials) is
// drawn, so a start-up figure that moves work past the first frame cannot hide it.
void reportFirstFrame(QQuickWindow *window);
// The same for the windows that the engine's root documents create.
void reportFirstFrame(QQmlApplicationEngine *engine);

} // namespace joyvant
