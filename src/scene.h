// The whole scene lives in these globals, reached by name from every part of
// the game. They are defined together in scene.cpp, in one fixed order.
#pragma once

#include <SFML/Graphics.hpp>

extern sf::Sprite backgroundSprite;
extern sf::Sprite catSprite;
extern sf::Sprite screenSprite;
extern sf::Texture backgroundTexture;
extern sf::Texture catTexture;
extern sf::Texture screenTexture;
extern sf::Text statusText;
extern sf::Font statusFont;
extern sf::RenderWindow window;

// Held state of each key as last sampled, and the items the cat carries in
// the current attempt.
extern bool spacePressed;
extern bool upPressed;
extern bool downPressed;
extern bool leftPressed;
extern bool rightPressed;
extern bool hasCup;
extern bool hasMilk;
