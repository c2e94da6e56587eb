// Preloaded into the game by a test: window creation does nothing, as when
// no window can be had, so the window never opens.
#include <SFML/Window/Window.hpp>

void sf::Window::create(sf::VideoMode, const sf::String&, sf::Uint32, const sf::ContextSettings&) {}
