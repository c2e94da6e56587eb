// The floor the game is measured against: a bare SFML loop with the game's
// window settings and nothing else.
//
//   baseline scene    the kitchen and the cat, from textures loaded once
//   baseline reload   the title picture, loaded from disk again every frame
//
// Runs in the directory that holds the pictures; Escape or the close button
// quits.
#include <cstring>

#include <SFML/Graphics.hpp>

int main(int argc, char** argv)
{
    const bool reload = argc > 1 && std::strcmp(argv[1], "reload") == 0;

    sf::Texture kitchenTexture, catTexture, pictureTexture;
    sf::Sprite kitchen, cat, picture;
    if (!reload) {
        kitchenTexture.loadFromFile("./kitchen.png");
        kitchen.setTexture(kitchenTexture);
        kitchen.setScale(2, 2);
        catTexture.loadFromFile("./cat.png");
        cat.setTexture(catTexture);
        cat.setScale(2, 2);
        cat.setOrigin(6, 10);
        cat.setPosition(100, 300);
    }

    sf::RenderWindow window(sf::VideoMode(400, 400, 32), "Kitrovane baseline",
                            sf::Style::Titlebar | sf::Style::Resize | sf::Style::Close,
                            sf::ContextSettings(0, 0, 0, 2, 0));
    window.setFramerateLimit(30);
    window.setVerticalSyncEnabled(true);

    while (window.isOpen()) {
        sf::Event event;
        while (window.pollEvent(event))
            if (event.type == sf::Event::Closed ||
                (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape))
                window.close();

        window.clear(sf::Color::Black);
        if (reload) {
            pictureTexture.loadFromFile("o.png");
            picture.setTexture(pictureTexture, true);
            window.draw(picture);
        } else {
            window.draw(kitchen);
            window.draw(cat);
        }
        window.display();
    }
    return 0;
}
