// Kitrovane: steer the cat around the kitchen, fetch the milk and the cup,
// then reach the bowl. Title picture, kitchen in play, end picture; Space
// moves on, Escape or closing the window quits.
//
// Every picture and the font are read from the working directory. Nothing
// that is read is checked: a missing or broken file leaves that picture or
// the font empty and the game goes on.

#include <cstdint>
#include <utility>

#include <SFML/Graphics.hpp>

#include "kitchen.h"
#include "scene.h"
#include "status_text.h"

// ---- Constants -------------------------------------------------------------

constexpr const char* kitchenPicture = "./kitchen.png";
constexpr const char* catPicture = "./cat.png";
constexpr const char* fontFile = "a.ttf";
constexpr const char* titlePicture = "o.png";

// The end picture for each outcome code; any other code shows no new picture.
constexpr std::pair<std::int16_t, const char*> endPictures[] = {
    {1, "1.png"},   {2, "2.png"}, {3, "3.png"}, {4, "4.png"},   {5, "5.png"},   {6, "6.png"},
    {7, "7.png"},   {8, "8.png"}, {9, "9.png"}, {10, "10.png"}, {11, "11.png"}, {winOutcome, "100.png"},
};

constexpr float spriteScale = 2.0f;
// The point of the cat picture that its position names and that it turns about.
constexpr float catOriginX = 6.0f;
constexpr float catOriginY = 10.0f;

constexpr unsigned windowSize = 400;
constexpr unsigned windowBitsPerPixel = 32;
constexpr const char* windowTitle = "Kitrovane";
constexpr unsigned framesPerSecond = 30;

// Status the game ends with when its window never opened: nothing was shown.
constexpr int exitNoWindow = 1;

// Loading an area of all zeros means the whole picture.
const sf::IntRect wholePicture(0, 0, 0, 0);
const sf::Color opaqueBlack(0, 0, 0, 255);

// ---- Start-up --------------------------------------------------------------

static void startUp()
{
    backgroundTexture.loadFromFile(kitchenPicture, wholePicture);
    backgroundSprite.setTexture(backgroundTexture, false);
    backgroundSprite.scale(spriteScale, spriteScale);

    catTexture.loadFromFile(catPicture, wholePicture);
    catSprite.setTexture(catTexture, false);
    catSprite.scale(spriteScale, spriteScale);
    catSprite.setOrigin(catOriginX, catOriginY);
    catSprite.setPosition(catStartX, catStartY);

    statusFont.loadFromFile(fontFile);
    statusText.setFont(statusFont);

    // No depth or stencil buffer, no antialiasing, OpenGL 2.0.
    const sf::ContextSettings context(0, 0, 0, 2, 0);
    window.create(sf::VideoMode(windowSize, windowSize, windowBitsPerPixel), windowTitle,
                  sf::Style::Titlebar | sf::Style::Resize | sf::Style::Close, context);
    window.setFramerateLimit(framesPerSecond);
    window.setVerticalSyncEnabled(true);
}

// ---- Frames ----------------------------------------------------------------

// Drains every pending event. The window's close button quits; so does any
// key press while Escape is held down at the moment its event is drained.
static void pollWindowEvents(bool& quitRequested)
{
    sf::Event event;
    while (window.pollEvent(event)) {
        if (event.type == sf::Event::Closed) {
            window.close();
            quitRequested = true;
        }
        if (event.type == sf::Event::KeyPressed && sf::Keyboard::isKeyPressed(sf::Keyboard::Escape)) {
            quitRequested = true;
            window.close();
        }
    }
}

// Draws the picture just loaded into screenTexture, whole and at its own
// size from the top-left corner. The texture rectangle is reset every time:
// kept, it would stay at the size of the first picture the sprite was given
// (or empty, had that one failed to load), cropping every later picture.
static void drawScreenPicture()
{
    screenSprite.setTexture(screenTexture, true);
    window.clear(opaqueBlack);
    window.draw(screenSprite, sf::RenderStates::Default);
    window.display();
}

// The title picture is read from disk every frame, so a new one shows at once.
static void showTitleFrame(bool& quitRequested, bool& titleActive)
{
    pollWindowEvents(quitRequested);
    spacePressed = sf::Keyboard::isKeyPressed(sf::Keyboard::Space);
    screenTexture.loadFromFile(titlePicture, wholePicture);
    titleActive = !spacePressed;
    drawScreenPicture();
}

static void showPlayFrame(bool& quitRequested, bool& playing, std::int16_t& outcome)
{
    pollWindowEvents(quitRequested);
    runPlayRules(playing, outcome);

    window.clear(opaqueBlack);
    window.draw(backgroundSprite, sf::RenderStates::Default);
    window.draw(catSprite, sf::RenderStates::Default);
    drawStatusLines();
    window.display();
}

static void showEndFrame(bool& quitRequested, bool& endScreenActive, std::int16_t outcome)
{
    pollWindowEvents(quitRequested);
    spacePressed = sf::Keyboard::isKeyPressed(sf::Keyboard::Space);
    for (const auto& [code, picture] : endPictures) {
        if (code == outcome)
            screenTexture.loadFromFile(picture, wholePicture);
    }
    endScreenActive = !spacePressed;
    drawScreenPicture();
}

// ---- Game loop -------------------------------------------------------------

static void resetCatAndItems()
{
    catSprite.setPosition(catStartX, catStartY);
    hasMilk = false;
    hasCup = false;
}

// One attempt after another, title, play, end, until one ends with a quit.
// A quit midway skips nothing: each later screen finds the window closed
// and shows no frame. Returns false if an attempt starts with the window
// closed but no quit asked for (it never opened): with no events to drain
// nothing could ever end the loop, which would spin at full speed.
static bool runGameLoop()
{
    for (;;) {
        bool quitRequested = false;
        if (!window.isOpen())
            return false;

        bool titleActive = true;
        while (window.isOpen() && titleActive)
            showTitleFrame(quitRequested, titleActive);

        resetCatAndItems();
        bool playing = true;
        std::int16_t outcome = 0;
        while (window.isOpen() && playing)
            showPlayFrame(quitRequested, playing, outcome);

        bool endScreenActive = true;
        while (window.isOpen() && endScreenActive)
            showEndFrame(quitRequested, endScreenActive, outcome);

        resetCatAndItems();
        if (quitRequested)
            return true;
    }
}

int main()
{
    startUp();
    const bool playerQuit = runGameLoop();
    window.close();
    return playerQuit ? 0 : exitNoWindow;
}
