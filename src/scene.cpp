#include "scene.h"

// Keep this order. Objects of static storage duration in one file are built
// top to bottom before main and torn down bottom to top after it, so the
// window goes first at exit and the kitchen sprite last.
sf::Sprite backgroundSprite;
sf::Sprite catSprite;
sf::Sprite screenSprite;
sf::Texture backgroundTexture;
sf::Texture catTexture;
sf::Texture screenTexture;
sf::Text statusText;
sf::Font statusFont;
sf::RenderWindow window;

bool spacePressed = false;
bool upPressed = false;
bool downPressed = false;
bool leftPressed = false;
bool rightPressed = false;
bool hasCup = false;
bool hasMilk = false;
